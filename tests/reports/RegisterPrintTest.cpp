// The one page renderer on PDF and on images, the exports read back with real
// tools, and the attendance chart's geometry.

#include "ReportTestData.h"
#include "data/SpreadsheetReader.h"
#include "reports/AttendanceChart.h"
#include "reports/RegisterExport.h"
#include "reports/RegisterLayout.h"
#include "reports/RegisterPainter.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace ReportTestData;

namespace {

RegisterTable motions(int count)
{
    RegisterTable table;
    table.addColumn(QStringLiteral("No."), 40, true);
    table.addColumn(QStringLiteral("Motion"), 320);
    table.addColumn(QStringLiteral("Result"), 100, true);
    for (int i = 1; i <= count; ++i)
        table.rows << QStringList{QString::number(i),
                                  QStringLiteral("Motion M%1X").arg(i, 3, 10, QLatin1Char('0')),
                                  QStringLiteral("Passed")};
    return table;
}

const RegisterHeading kHeading{QStringLiteral("Plenary \"Spring\" 全体会议"),
                               QStringLiteral("Vote results"),
                               QStringLiteral("2026-03-01"),
                               QStringLiteral("Printed "),
                               QStringLiteral("Page %1 of %2"),
                               QString()};

class RegisterPrintTest : public ConsoleTest
{
protected:
    QString file(const QString& name) const { return m_out.filePath(name); }
    QTemporaryDir m_out;
};

TEST_F(RegisterPrintTest, RowsThatDoNotFitGoOnToTheNextPageInOrder)
{
    const int perPage = RegisterLayout::rowsPerPage();
    const RegisterTable table = motions(500);
    const QString pdf = file(QStringLiteral("votes.pdf"));
    ASSERT_TRUE(RegisterExport::write(pdf, RegisterExport::Format::Pdf, table, kHeading));
    const int pages = (500 + perPage - 1) / perPage;
    ASSERT_EQ(pdfPages(pdf), pages);
    for (int page : {1, 2, pages}) {
        const QString text = pdfText(pdf, page);
        const int first = (page - 1) * perPage + 1;
        const int last = qMin(500, page * perPage);
        const auto name = [](int n) { return QStringLiteral("M%1X").arg(n, 3, 10, QLatin1Char('0')); };
        EXPECT_TRUE(text.contains(name(first))) << page;
        EXPECT_TRUE(text.contains(name(last))) << page;
        EXPECT_FALSE(text.contains(name(first - 1))) << page;
        EXPECT_FALSE(text.contains(name(last + 1))) << page;
        EXPECT_LT(text.indexOf(name(first)), text.indexOf(name(last)));
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
        // The headings and the title on every page, the name with its quotes and Chinese.
        EXPECT_TRUE(text.contains(QStringLiteral("Motion"))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Plenary \"Spring\" 全体会议")))
            << text.left(300).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Printed 2026-03-01")));
    }
}

TEST_F(RegisterPrintTest, AnEmptyRegisterPrintsOnePageWithItsHeadings)
{
    const QString pdf = file(QStringLiteral("empty.pdf"));
    ASSERT_TRUE(RegisterExport::write(pdf, RegisterExport::Format::Pdf, motions(0), kHeading));
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_TRUE(pdfText(pdf, 1).contains(QStringLiteral("Result")));
    const QString csv = file(QStringLiteral("empty.csv")); // the heading row alone
    ASSERT_TRUE(RegisterExport::write(csv, RegisterExport::Format::Csv, motions(0), kHeading));
    QFile read(csv);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(), QByteArray("\xEF\xBB\xBFNo.,Motion,Result\r\n"));
}

TEST_F(RegisterPrintTest, ThePreviewImageAndThePdfComeFromTheSameLayout)
{
    // A page at 96 dpi: the ruled table reaches the layout's right edge and its last row's bottom.
    const RegisterTable table = motions(RegisterLayout::rowsPerPage() + 1);
    const RegisterPainter painter(table, kHeading);
    ASSERT_EQ(painter.pageCount(), 2);
    QImage image(794, 1123, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter onImage(&image);
    painter.paintPage(onImage, 1, 96, 96);
    onImage.end();
    const auto px = [](double mm) { return qRound(mm * 96 / 25.4); };
    const int bottom = px(RegisterLayout::kTableTop + RegisterLayout::kHeadingHeight +
                          RegisterLayout::rowsPerPage() * RegisterLayout::rowHeight(1));
    const int rule = std::min({qGray(image.pixel(px(100), bottom - 1)), qGray(image.pixel(px(100), bottom)),
                               qGray(image.pixel(px(100), bottom + 1))});
    EXPECT_LT(rule, 128);                                                 // the last rule on page 1
    EXPECT_EQ(image.pixel(px(100), bottom + px(3)), qRgb(255, 255, 255)); // nothing under it
    EXPECT_LT(qGray(image.pixel(px(RegisterLayout::kRight), px(100))), 128);
    EXPECT_EQ(image.pixel(px(RegisterLayout::kRight) + 3, px(100)), qRgb(255, 255, 255));
}

TEST(RegisterLayoutPages, ARowThatDoesNotFitStartsTheNextPageWhole)
{
    using RegisterLayout::Page;
    const int perPage = RegisterLayout::rowsPerPage();
    QList<double> heights(perPage, RegisterLayout::rowHeight(1));
    EXPECT_EQ(RegisterLayout::paginate(heights), (QList<Page>{Page{0, perPage}}));
    // One three-line row among them pushes the last rows over.
    heights[3] = RegisterLayout::rowHeight(3);
    EXPECT_EQ(RegisterLayout::paginate(heights), (QList<Page>{Page{0, perPage - 2}, Page{perPage - 2, 2}}));
    EXPECT_EQ(RegisterLayout::rowHeight(9), RegisterLayout::rowHeight(3));
}

TEST_F(RegisterPrintTest, LongCellsWrapBetweenWordsInsteadOfBeingCut)
{
    RegisterTable titles = motions(2);
    const QString title =
        QStringLiteral("Amendment of article 12 of the statutes on the election of the "
                       "standing committee and its chair, with the transitional provisions");
    titles.rows[1][1] = title;
    titles.rows[1][2] = QStringLiteral("2026/03/01/-10:01:00");
    // The elections register: a title, five candidates with their votes, and the time.
    RegisterTable elections;
    elections.addColumn(QStringLiteral("No."), 40, true);
    elections.addColumn(QStringLiteral("Election"), 200);
    for (int i = 1; i <= 5; ++i) {
        elections.addColumn(QStringLiteral("Candidate %1").arg(i), 80);
        elections.addColumn(QStringLiteral("Votes"), 40, true);
    }
    elections.addColumn(QStringLiteral("Voted at"), 140, true);
    QStringList row{QStringLiteral("1"),
                    QStringLiteral("Election of the standing committee of the assembly")};
    for (int i = 1; i <= 5; ++i)
        row << QStringLiteral("Maria Albuquerque %1").arg(i) << QStringLiteral("123");
    row << QStringLiteral("2026-12-08 02:47:16");
    elections.rows << row;
    const std::pair<RegisterTable, QStringList> cases[] = {
        {titles, QString(title).remove(QLatin1Char(',')).split(QLatin1Char(' '))},
        {elections, {"Candidate", "Albuquerque", "2026-12-08", "02:47:16", "committee"}}};
    const QString pdf = file(QStringLiteral("long.pdf"));
    for (const auto& [table, words] : cases) {
        ASSERT_TRUE(RegisterExport::write(pdf, RegisterExport::Format::Pdf, table, kHeading));
        const QString text = pdfText(pdf, 1);
        EXPECT_FALSE(text.contains(QChar(0x2026))) << text.toStdString(); // no ellipsis anywhere
        for (const QString& word : words)
            EXPECT_TRUE(text.contains(word)) << word.toStdString() << "\n" << text.toStdString();
    }
}

TEST_F(RegisterPrintTest, CsvAndWorkbookKeepChineseQuotesCommasAndLineBreaks)
{
    RegisterTable table;
    table.addColumn(QStringLiteral("姓名"), 80);
    table.addColumn(QStringLiteral("Unit"), 80);
    table.rows << QStringList{QStringLiteral("张三"), QStringLiteral("Works \"East\", Ltd")};
    table.rows << QStringList{QStringLiteral("Two\nlines"), QStringLiteral("plain")};

    const QString csv = file(QStringLiteral("list.csv"));
    ASSERT_TRUE(RegisterExport::write(csv, RegisterExport::Format::Csv, table, kHeading));
    QFile read(csv);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("姓名,Unit\r\n张三,\"Works \"\"East\"\", Ltd\"\r\n"
                                                          "\"Two\nlines\",plain\r\n")
                                               .toUtf8());

    RegisterExport::Format format;
    const QString xlsx = RegisterExport::targetPath(file(QStringLiteral("list.xls")), &format);
    ASSERT_EQ(format, RegisterExport::Format::Xlsx);
    ASSERT_TRUE(RegisterExport::write(xlsx, format, table, kHeading));
    SpreadsheetReader reader;
    SheetRows rows;
    ASSERT_TRUE(reader.open(xlsx));
    ASSERT_TRUE(reader.readSheet(QStringLiteral("Sheet1"), rows));
    EXPECT_EQ(rows, (SheetRows{table.headings, table.rows[0], table.rows[1]}));
}

TEST_F(RegisterPrintTest, AFailedExportSaysSoAndLeavesNoFile)
{
    const QString folder = file(QStringLiteral("gone"));
    for (const char* name : {"list.csv", "list.pdf", "list.xlsx"}) {
        RegisterExport::Format format;
        const QString path =
            RegisterExport::targetPath(folder + QLatin1Char('/') + QLatin1String(name), &format);
        QString detail;
        EXPECT_FALSE(RegisterExport::write(path, format, motions(3), kHeading, &detail)) << name;
        EXPECT_FALSE(detail.isEmpty()) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(AttendanceChartGeometry, StepsRiseAtEachArrivalAndTheQuorumSitsAtItsCount)
{
    const QDateTime nine = QDateTime(QDate(2026, 3, 1), QTime(9, 0));
    const AttendanceChart::Input input{{{nine, 1}, {nine.addSecs(60), 2}, {nine.addSecs(120), 3}}, 4, 2};
    const QRectF area(0, 0, 400, 200);
    const AttendanceChart::Geometry g = AttendanceChart::layout(input, area);
    EXPECT_EQ(g.top, 4);
    ASSERT_TRUE(g.quorumY);
    EXPECT_DOUBLE_EQ(*g.quorumY, g.plot.bottom() - g.plot.height() / 2);
    ASSERT_EQ(g.steps.size(), 8);
    EXPECT_EQ(g.steps[3],
              QPointF(g.plot.center().x(), g.plot.bottom() - g.plot.height() * 0.25)); // before 2nd
    EXPECT_EQ(g.steps[4], QPointF(g.plot.center().x(), g.plot.bottom() - g.plot.height() * 0.5));
    EXPECT_EQ(g.steps.last().x(), g.plot.right());

    QImage image(400, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    AttendanceChart::paint(painter, input, area, {QStringLiteral("Present"), QStringLiteral("Quorum")});
    painter.end();
    const QColor quorum = image.pixelColor(qRound(g.plot.left() + 3), qRound(*g.quorumY));
    EXPECT_GT(quorum.red(), 150);
    EXPECT_LT(quorum.blue(), 120);
    // One unit present between the first and the second arrival.
    const QColor line = image.pixelColor(qRound(g.plot.left() + g.plot.width() / 4),
                                         qRound(g.plot.bottom() - g.plot.height() / 4));
    EXPECT_GT(line.blue(), 120);
    EXPECT_LT(line.red(), 120);
}

TEST(AttendanceChartGeometry, NoArrivalsDrawNoLine)
{
    const AttendanceChart::Geometry g = AttendanceChart::layout({{}, 10, 0}, QRectF(0, 0, 300, 150));
    EXPECT_TRUE(g.steps.isEmpty());
    EXPECT_FALSE(g.quorumY);
}

} // namespace
