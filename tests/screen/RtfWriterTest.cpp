#include "screen/RtfWriter.h"
#include "link/QtPrinters.h"
#include "screen/RtfReader.h"

#include <QDebug>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// One line per block and fragment: text and every format the writer promises to keep.
QStringList describe(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat b = block.blockFormat();
        QDebug(&lines.emplace_back())
            << int(b.alignment() & Qt::AlignHorizontal_Mask) << b.leftMargin() << b.textIndent();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QImage i = document.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                                 .value<QImage>();
            QDebug(&lines.emplace_back())
                << it.fragment().text() << f.fontFamilies() << f.fontPointSize()
                << (f.fontWeight() > QFont::Medium) << f.fontItalic() << f.fontUnderline()
                << f.fontStrikeOut() << int(f.verticalAlignment()) << f.foreground() << f.background()
                << f.toImageFormat().width() << f.toImageFormat().height() << i.size()
                << (i.isNull() ? 0 : i.pixel(0, 0))
                << (i.isNull() ? 0 : i.pixel(i.width() - 1, i.height() - 1));
        }
    }
    return lines;
}

void buildSample(QTextDocument& document)
{
    QTextCursor cursor(&document);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(block);
    QTextCharFormat f;
    f.setFontFamilies({"宋体"});
    f.setFontPointSize(22);
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(200, 0, 0));
    cursor.insertText("第一次会议", f);
    block.setAlignment(Qt::AlignLeft);
    block.setLeftMargin(20);
    block.setTextIndent(40);
    cursor.insertBlock(block);
    cursor.insertText("Plain {braces} and \\backslash, ", QTextCharFormat());
    f = QTextCharFormat();
    f.setFontItalic(true);
    f.setFontUnderline(true);
    f.setFontStrikeOut(true);
    f.setBackground(QColor(255, 255, 0));
    cursor.insertText("marked", f);
    f = QTextCharFormat();
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    f.setFontPointSize(10.5);
    f.setForeground(QColor(0, 0, 255));
    cursor.insertText(QStringLiteral("2\there\u2028café € \U0001F600 表决"), f);
    cursor.insertBlock(QTextBlockFormat());
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixel(4, 3, qRgb(250, 0, 0));
    document.addResource(QTextDocument::ImageResource, QUrl("logo"), image);
    QTextImageFormat picture;
    picture.setName("logo");
    picture.setWidth(50);
    picture.setHeight(40);
    cursor.insertImage(picture);
}

} // namespace

// The sample and the fixtures written and read back: the same text and formats, pictures with their
// size and pixels, and the same bytes when written again.
TEST(RtfWriterTest, RoundTripKeepsTextFormatsAndPictures)
{
    QTextDocument sample;
    buildSample(sample);
    for (const auto& [name, codePage] : QList<std::pair<QString, int>>{{"", 936},
                                                                       {"", 1252},
                                                                       {"english.rtf", 936},
                                                                       {"chinese_gbk.rtf", 936},
                                                                       {"picture_png.rtf", 936}}) {
        SCOPED_TRACE(QString("%1 in code page %2").arg(name).arg(codePage).toStdString());
        QTextDocument fromFile;
        QFile file(QStringLiteral(RTF_FIXTURES "/") + name);
        if (!name.isEmpty()) {
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ASSERT_EQ(RtfReader().read(file.readAll(), &fromFile), RtfReader::Status::Ok);
        }
        const QTextDocument& original = name.isEmpty() ? sample : fromFile;
        RtfWriter writer;
        writer.setCodePage(codePage);
        const QByteArray rtf = writer.write(original);
        EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg" + QByteArray::number(codePage)));
        for (const char ch : rtf)
            ASSERT_LT(static_cast<unsigned char>(ch), 0x80);
        QTextDocument copy;
        ASSERT_EQ(RtfReader().read(rtf, &copy), RtfReader::Status::Ok);
        EXPECT_EQ(copy.toRawText(), original.toRawText());
        EXPECT_EQ(describe(copy), describe(original));
        EXPECT_EQ(writer.write(copy), rtf);
    }

    // The Chinese font name in GBK with its charset, or as \uN where Windows-1252 cannot hold it;
    // \uN is a signed 16-bit value (U+8868 is negative).
    RtfWriter writer;
    QByteArray rtf = writer.write(sample);
    EXPECT_TRUE(rtf.contains("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\u-30616?"));
    writer.setCodePage(1252);
    rtf = writer.write(sample);
    EXPECT_TRUE(rtf.contains("\\fcharset0 \\u23435?\\u20307?;")) << rtf.constData();
}

TEST(RtfWriterTest, WebListsAndFontsKeepTheirStructureAndBadPathsSayWhy)
{
    QTextDocument document;
    document.setHtml("<p>Agenda</p><ul><li>Opening</li></ul><ol><li>Vote</li></ol>"
                     "<table><tr><td>09:00</td><td></td><td>Hall A</td></tr></table>"
                     "<p style=\"font-family:'Courier New'; font-size:32px\">End</p>");
    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(RtfWriter().write(document), &copy), RtfReader::Status::Ok);
    EXPECT_EQ(copy.toPlainText(),
              QStringLiteral("Agenda\n\u2022\tOpening\n1.\tVote\n09:00\t\tHall A\n\nEnd"));
    EXPECT_LT(copy.findBlockByNumber(1).blockFormat().textIndent(), 0.0);
    const QTextCharFormat end = copy.lastBlock().begin().fragment().charFormat();
    EXPECT_EQ(end.fontFamilies().toStringList().value(0), "Courier New");
    EXPECT_DOUBLE_EQ(end.fontPointSize(), 24.0); // 32 px at 96 dots per inch

    QString error;
    EXPECT_FALSE(RtfWriter().writeFile(document, "/nonexistent/folder/x.rtf", &error));
    EXPECT_FALSE(error.isEmpty());
}
