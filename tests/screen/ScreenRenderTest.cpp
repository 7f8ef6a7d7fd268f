// Renders the panel and the name grid into images and checks what the hall
// would see: text where it belongs and nowhere else, bars and slices in the
// palette colours at their computed places. Set SCREEN_SHOT_DIR to keep the
// images for a look.

#include "screen/ScreenGeometry.h"
#include "screen/ScreenPainter.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtMath>
#include <gtest/gtest.h>

using namespace ScreenGeometry;

namespace {

const QSize kHall(1366, 768);
const QColor kBlue(0, 0, 160);
const QColor kNavy(0, 0, 96);
const QColor kWhite(Qt::white);
const QColor kYellow(255, 255, 0);

const QString kMotionLabels = QStringLiteral("应到人数:实到人数:赞成:反对:弃权:未按键:");
const QString kMotionTitle = QStringLiteral("关于修改会议章程的议案");
const QString kAttendance = QStringLiteral("应到 249 人  实到 240 人");

void keep(const QImage& image, const QString& name)
{
    const QString folder = qEnvironmentVariable("SCREEN_SHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        image.save(folder + "/" + name + ".png");
    }
}

// Pixels in the rectangle that differ from the given fill (text, lines, bars).
int ink(const QImage& image, const QRect& rect, const QColor& fill)
{
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) != fill)
                ++count;
    return count;
}

int exact(const QImage& image, const QRect& rect, const QColor& colour)
{
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                ++count;
    return count;
}

// The smallest rectangle holding every pixel of the colour, or every pixel that is
// not the colour when `other` is set; empty when there is none.
QRect inkBounds(const QImage& image, const QColor& colour, bool other = false)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = colour.rgb() | 0xFF000000u;
    int left = rgb.width(), right = -1, top = rgb.height(), bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (((line[x] | 0xFF000000u) == wanted) == other)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect band(int top, int height, int left = 0, int right = 1365)
{
    return QRect(QPoint(left, top), QPoint(right, top + height - 1));
}

ScreenPanelState hallPanel()
{
    ScreenPanelState state;
    state.setColours(kNavy, kBlue);
    return state;
}

class ScreenRenderTest : public ::testing::Test
{
protected:
    const QRect client{QPoint(0, 0), kHall};
    const QRect area = chartArea(client);
    const int textPixels = tenthsToPixels(textSizeTenths(kHall.width()));
};

TEST_F(ScreenRenderTest, FontsResolveToAnInstalledCjkFace)
{
    for (const QFont& font : {ScreenPainter::heiFont(40), ScreenPainter::kaiFont(40),
                              ScreenPainter::faceFont(QStringLiteral("粗体"), 40)}) {
        const QFontInfo info(font);
        EXPECT_EQ(info.pixelSize(), 40);
        // A face that has the Chinese glyphs, not a Latin fallback drawing boxes.
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x7968))) << info.family().toStdString();
    }
    EXPECT_TRUE(ScreenPainter::faceFont(QStringLiteral("粗体"), 40).bold());
}

TEST_F(ScreenRenderTest, TopLineFontSwitchChoosesTheKaiFaceWhereInstalled)
{
    const QString kai = QFontInfo(ScreenPainter::kaiFont(40)).family();
    if (!kai.contains("Kai", Qt::CaseInsensitive) && !kai.contains(QStringLiteral("楷")))
        GTEST_SKIP() << "no Kai face installed (fonts-arphic-ukai)";
    EXPECT_NE(QFontInfo(ScreenPainter::heiFont(40)).family(), kai);
    ScreenPanelState state = hallPanel();
    state.setTopLine(QStringLiteral("请按相应键投票"), kYellow, 0);
    const QImage hei = ScreenPainter::renderPanel(state, kHall);
    state.setTopLine(QStringLiteral("请按相应键投票"), kYellow, 1);
    const QImage kaiImage = ScreenPainter::renderPanel(state, kHall);
    keep(kaiImage, "screen-topline-kai");
    EXPECT_GT(exact(kaiImage, band(15, textPixels), kYellow), 100);
    EXPECT_NE(hei, kaiImage);
}

TEST_F(ScreenRenderTest, BackgroundAndChartAreaTakeTheirColours)
{
    ScreenPanelState state = hallPanel();
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    EXPECT_EQ(image.pixelColor(10, 10), kNavy);
    EXPECT_EQ(image.pixelColor(area.left() - 1, area.top() + 5), kNavy);
    EXPECT_EQ(image.pixelColor(area.left(), area.top()), kBlue);
    EXPECT_EQ(image.pixelColor(1365, 767), kBlue);
    EXPECT_EQ(ink(image, area, kBlue), 0);
}

TEST_F(ScreenRenderTest, TwoLinePromptDrawsLineOneAtTwoSixthsAndLineThreeAtThreeSixths)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    state.setLines(QStringLiteral("签到开始"), QString(), QStringLiteral("请按签到键签到"), kYellow);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-prompt-signin");

    EXPECT_EQ(ink(image, band(128, 120, area.left()), kBlue), 0); // nothing left at 1/6
    EXPECT_GT(exact(image, band(256, textPixels), kYellow), 200);
    EXPECT_GT(exact(image, band(384, textPixels), kYellow), 200);
    EXPECT_EQ(ink(image, band(384 + textPixels * 5 / 4, 768 - 384 - textPixels * 5 / 4, area.left()), kBlue),
              0);
    // Centred: as much ink left of the middle as right of it, within a character.
    const int left = exact(image, QRect(0, 256, 683, textPixels), kYellow);
    const int right = exact(image, QRect(683, 256, 683, textPixels), kYellow);
    EXPECT_NEAR(left, right, (left + right) / 4);
}

TEST_F(ScreenRenderTest, LongLinesShrinkInsteadOfLeavingTheScreen)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    state.setLines("Please press the key of your choice now to cast your vote", "", "", kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-prompt-long");
    EXPECT_GT(ink(image, band(256, textPixels), kBlue), 500);
    // Margins stay free on both sides.
    EXPECT_EQ(ink(image, QRect(0, 0, 20, 768), kNavy), 0);
    EXPECT_EQ(ink(image, QRect(1346, 103, 20, 665), kBlue), 0);
}

TEST_F(ScreenRenderTest, HeadingAndTopLineStayInTheBandAboveTheChartArea)
{
    const int bandBottom = area.top() - edgeMargin(client);
    ScreenPanelState state = hallPanel();
    state.setHeading(QStringLiteral("签到"), kYellow);
    const QImage heading = ScreenPainter::renderPanel(state, kHall);
    EXPECT_GT(exact(heading, band(38, bandBottom - 38), kYellow), 100);
    EXPECT_GE(inkBounds(heading, kYellow).top(), topLineY(client));
    EXPECT_LT(inkBounds(heading, kYellow).bottom(), bandBottom);

    state.setHeading(QString(), kYellow);
    state.setTopLine(QStringLiteral("投票结果"), kYellow, 1);
    const QImage top = ScreenPainter::renderPanel(state, kHall);
    EXPECT_GT(exact(top, band(15, textPixels), kYellow), 100);
    EXPECT_GE(inkBounds(top, kYellow).top(), topLineY(client));
    EXPECT_LT(inkBounds(top, kYellow).bottom(), bandBottom);

    // Both: the top line above the heading, each in its half of the band, neither in the chart area.
    state.setHeading(QStringLiteral("关于修改会议章程的议案"), kYellow);
    state.setTopLine(QStringLiteral("应到 249 人  实到 240 人"), kYellow, 0);
    const QImage both = ScreenPainter::renderPanel(state, kHall);
    keep(both, "screen-heading-and-top-line");
    const HeaderBoxes boxes = headerBoxes(client, true, true);
    EXPECT_GT(exact(both, boxes.topLine, kYellow), 100);
    EXPECT_GT(exact(both, boxes.heading, kYellow), 100);
    EXPECT_LT(inkBounds(both, kYellow).bottom(), bandBottom);
    EXPECT_EQ(inkBounds(both.copy(area), kYellow), QRect());
}

TEST_F(ScreenRenderTest, SignInTableWithQuorumHasFourRowsAndPersonsOnTheFigures)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::Table, PanelSubKind::SignInFigures);
    state.setHeading(QStringLiteral("会议签到"), kWhite);
    state.setChart(QStringLiteral("应到人数:实到人数:未到人数:已达到法定人数::"), "52:49:3:::", kYellow);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-signin-quorum");

    const TableColumns c = tableColumns(area, PanelSubKind::SignInFigures);
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        const int top = c.firstRowY + row * c.rowPitch;
        const QRect label(c.labelX, top, c.valueX - c.labelX, c.rowPitch * 3 / 4);
        const QRect value(c.valueX, top, c.unitX - c.valueX, c.rowPitch * 3 / 4);
        const QRect unit(c.unitX, top, c.percentX - c.unitX, c.rowPitch * 3 / 4);
        EXPECT_EQ(exact(image, label, kYellow) > 50, row < 4);
        EXPECT_EQ(exact(image, value, kYellow) > 20, row < 3);
        EXPECT_EQ(exact(image, unit, kYellow) > 20, row < 3);
    }
    // Nothing left of the label column.
    EXPECT_EQ(
        ink(image, QRect(area.left(), area.top() + 40, c.labelX - area.left(), area.height() - 40), kBlue),
        0);
}

TEST_F(ScreenRenderTest, MotionTableShowsPercentagesOnlyOnKeyRowsWhenSwitchedOn)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::Table, PanelSubKind::MotionResult);
    state.setHeading(kMotionTitle, kYellow);
    state.setTopLine(kAttendance, kYellow, 0);
    state.setChart(kMotionLabels, "2:249:240:180:40:12:8:72.29%:16.06%:4.82%:通过:", kWhite);
    const TableColumns c = tableColumns(area, PanelSubKind::MotionResult, 6);
    const QRect percents(c.percentX, area.top(), area.right() - c.percentX, area.height());
    EXPECT_EQ(ink(ScreenPainter::renderPanel(state, kHall), percents, kBlue), 0);

    state.setShowPercentages(1);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-vote-table");
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        const QRect percent(c.percentX, c.firstRowY + row * c.rowPitch, area.right() - c.percentX,
                            c.rowPitch * 3 / 4);
        EXPECT_EQ(ink(image, percent, kBlue) > 50, row >= 2 && row <= 4);
        // Six rows, every one with a label and a value.
        EXPECT_GT(ink(image, QRect(c.labelX, c.firstRowY + row * c.rowPitch, 200, 50), kBlue), 50);
        EXPECT_GT(ink(image, QRect(c.valueX, c.firstRowY + row * c.rowPitch, 100, 50), kBlue), 20);
    }
}

TEST_F(ScreenRenderTest, HistogramBarsHaveThePaletteColoursAndTheComputedHeights)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::Histogram, PanelSubKind::MotionResult);
    state.setShowPercentages(1);
    state.setHeading(kMotionTitle, kYellow);
    state.setTopLine(kAttendance, kYellow, 0);
    state.setChart(kMotionLabels, "2:249:240:180:40:12:8:72.29%:16.06%:4.82%:通过:", kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-vote-histogram");

    const QList<Bar> bars = histogram(area, PanelSubKind::MotionResult, {249, 240, 180, 40, 12, 8});
    const int base = baseLineY(area);
    for (int i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        const QRect& front = bars[i].front;
        const int x = front.center().x();
        // The whole face, and nothing above it, is in the bar's colour.
        int coloured = 0;
        for (int y = area.top(); y < base; ++y)
            if (image.pixelColor(x, y) == chartColour(i))
                ++coloured;
        EXPECT_EQ(coloured, front.height());
        EXPECT_EQ(image.pixelColor(x, base - 1), chartColour(i));
        // The value above the bar and the label below it.
        EXPECT_GT(ink(image, QRect(bars[i].valueTopLeft, QSize(front.width(), area.height() / 12)), kBlue),
                  20);
        EXPECT_GT(ink(image, bars[i].labelCell.adjusted(0, 0, 0, -bars[i].labelCell.height() / 2), kBlue),
                  20);
    }
    // The tallest bar (due) is 70% of the height times its share.
    EXPECT_EQ(bars[0].front.height(), int(7.0 * 249 * area.height() / (10.0 * 729)));
}

TEST_F(ScreenRenderTest, PieSlicesFollowEachOtherCounterClockwiseInPaletteOrder)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::Pie, PanelSubKind::FiveCandidatesOneChoice);
    state.setHeading(QStringLiteral("选举结果"), kWhite);
    const QList<double> votes = {96, 61, 44, 27, 12};
    state.setChart(QStringLiteral("李明:王芳:张伟:刘洋:陈静:"), "96:61:44:27:12:", kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-election-pie");

    const Pie p = pie(client, votes);
    ASSERT_EQ(p.slices.size(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const double m = qDegreesToRadians(p.slices[i].middleDegrees);
        // Inside the top face, a third of the way out along the middle angle (the leader starts at half).
        const QPoint inside(qRound(p.centre.x() + p.topFace.width() / 6.0 * qCos(m)),
                            qRound(p.centre.y() - p.topFace.height() / 6.0 * qSin(m)));
        EXPECT_EQ(image.pixelColor(inside), chartColour(i));
        // A label at the end of the leader.
        const QPoint label = p.slices[i].labelPoint.toPoint();
        EXPECT_GT(exact(image, QRect(label - QPoint(60, 30), QSize(120, 60)), kWhite), 20);
    }
    // The first slice starts at 3 o'clock going up: just above the right end is colour 0, just below the
    // last.
    EXPECT_EQ(image.pixelColor(p.centre.x() + p.topFace.width() / 2 - 30, p.centre.y() - 8), chartColour(0));
    EXPECT_EQ(image.pixelColor(p.centre.x() + p.topFace.width() / 2 - 30, p.centre.y() + 8), chartColour(4));
    // The rim shows below the front of the dish in a darker shade of a slice colour.
    const QColor rim = image.pixelColor(p.centre.x(), p.topFace.bottom() + p.depth / 2);
    EXPECT_NE(rim, kBlue);
    EXPECT_NE(rim, kNavy);
}

TEST_F(ScreenRenderTest, EmptyTotalsDrawEmptyChartsWithoutPaletteColours)
{
    ScreenPanelState state = hallPanel();
    state.setChart(QStringLiteral("李明:王芳:张伟:"), "0:0:0:", kWhite);
    for (const PanelKind kind : {PanelKind::Histogram, PanelKind::Pie}) {
        SCOPED_TRACE(int(kind));
        state.setKind(kind, PanelSubKind::ThreeCandidatesOneChoice);
        const QImage image = ScreenPainter::renderPanel(state, kHall);
        keep(image, QString("screen-empty-%1").arg(int(kind)));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(exact(image, image.rect(), chartColour(i)), 0);
        EXPECT_GT(ink(image, area, kBlue), 100); // labels, base line or the dish outline
    }
    // A never-voted motion has no value fields at all.
    state.setChart(kMotionLabels, "", kWhite);
    state.setKind(PanelKind::Pie, PanelSubKind::MotionResult);
    EXPECT_FALSE(ScreenPainter::renderPanel(state, kHall).isNull());
}

TEST_F(ScreenRenderTest, KeyLegendPairsEachKeyWithItsName)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::KeyLegend, PanelSubKind::None);
    state.setChart(QStringLiteral("按键一:按键二:按键三:按键四:按键五:李明:王芳:张伟:刘洋:陈静:"), QString(),
                   kWhite);
    state.setLines(QString(), QString(), QStringLiteral("请按相应键投票"), kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-election-legend");

    const KeyLegend legend = keyLegend(area);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QRect row(legend.labelX, legend.rowY[i], area.right() - legend.labelX, legend.rowPitch * 3 / 4);
        EXPECT_GT(ink(image, row, kBlue), 200);
    }
    EXPECT_GT(ink(image, QRect(0, legend.line3Y, 1366, 50), kBlue), 100);
    EXPECT_EQ(ink(image, QRect(area.left(), area.top() + 30, legend.labelX - area.left() - 1, 600), kBlue),
              0);

    // Three candidates and two empty keys: the two empty rows stay blank.
    state.setChart(QStringLiteral("按键一:按键二:按键三:::李明:王芳:张伟:::"), QString(), kWhite);
    const QImage three = ScreenPainter::renderPanel(state, kHall);
    EXPECT_GT(ink(three, QRect(legend.labelX, legend.rowY[2], 600, 50), kBlue), 100);
    EXPECT_EQ(ink(three, QRect(legend.labelX, legend.rowY[3], 1000, legend.line3Y - legend.rowY[3]), kBlue),
              0);
    // With the last rows empty the prompt keeps its own place at five sixths.
    EXPECT_GT(ink(three, QRect(0, legend.line3Y, 1366, textPixels / 2), kBlue), 200);
}

TEST_F(ScreenRenderTest, ScoringShowsOneRowAndNoBars)
{
    ScreenPanelState state = hallPanel();
    state.setKind(PanelKind::Table, PanelSubKind::MeanMark);
    state.setTopLine(QStringLiteral("投票结果"), kWhite, 0);
    state.setChart(QStringLiteral("平均分:"), "83.75:", kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-scoring");
    const TableColumns c = tableColumns(area, PanelSubKind::MeanMark);
    EXPECT_GT(ink(image, QRect(c.valueX, c.firstRowY, c.unitX - c.valueX, 60), kBlue), 50);
    EXPECT_EQ(ink(image, QRect(area.left(), c.firstRowY + c.rowPitch, area.width(), 500), kBlue), 0);

    state.setKind(PanelKind::Histogram, PanelSubKind::MeanMark);
    EXPECT_EQ(ink(ScreenPainter::renderPanel(state, kHall), area, kBlue), 0);
}

TEST_F(ScreenRenderTest, NameGridDrawsTheTitleAndEachNameInItsCell)
{
    NameGridState grid;
    grid.setColours(QColor(0, 0, 255), kWhite);
    grid.setFont(450, QStringLiteral("粗体"));
    grid.setGrid(8, 3);
    grid.setTitle(QStringLiteral("签到人员名单"));
    QStringList names;
    const QStringList family = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄"};
    const QStringList given = {"建国", "丽", "海燕", "明", "志强"};
    for (int i = 0; i < 40; ++i)
        names.append(family[i % 8] + given[i % 5]);
    grid.setNames(names.mid(0, 24), 24);
    const QImage image = ScreenPainter::renderNameGrid(grid, kHall);
    keep(image, "screen-name-grid");

    const QColor blue(0, 0, 255);
    EXPECT_GT(ink(image, QRect(0, kTitleY, 1366, 60), blue), 300);
    const NameCells cells = nameCells(QRect(QPoint(0, 0), kHall), 8, 3, 24);
    for (int i = 0; i < 24; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(ink(image, QRect(cells.topLeft[i], QSize(cells.cellWidth, cells.cellHeight)), blue), 100);
    }
    EXPECT_EQ(ink(image, QRect(0, 0, gridArea(QRect(QPoint(0, 0), kHall)).left(), 768), blue), 0);
    // The eighth row ends above the bottom edge, and a large title stays above the first row.
    EXPECT_LT(inkBounds(image, blue, true).bottom(), 767 - edgeMargin(QRect(QPoint(0, 0), kHall)));
    NameGridState titleOnly = grid;
    titleOnly.setFont(900, QStringLiteral("粗体"));
    titleOnly.setNames({}, 0);
    const QRect title = inkBounds(ScreenPainter::renderNameGrid(titleOnly, kHall), blue, true);
    EXPECT_GE(title.top(), kTitleY);
    EXPECT_LT(title.bottom(), cells.topLeft[0].y());

    // The second page: 16 names, the rest of the cells blank.
    grid.setNames(names.mid(24), 16);
    const QImage second = ScreenPainter::renderNameGrid(grid, kHall);
    keep(second, "screen-name-grid-2");
    EXPECT_GT(ink(second, QRect(cells.topLeft[15], QSize(cells.cellWidth, cells.cellHeight)), blue), 100);
    for (int i = 16; i < 24; ++i)
        EXPECT_EQ(ink(second, QRect(cells.topLeft[i], QSize(cells.cellWidth, cells.cellHeight)), blue), 0);
}

// Every kind and sub-kind a page uses, with realistic figures, at the offered
// screen sizes and in Chinese and English: something is drawn in the chart
// area and nothing spills into the left margin.
struct Scene
{
    const char* name;
    PanelKind kind;
    PanelSubKind subKind;
    QString labels;
    QString values;
    QString topLine;
    QString line3;
};

QList<Scene> scenes()
{
    const QString motion = "1:249:241:198:23:20:0:79.52%:9.24%:8.03%:通过:";
    const QString motionUnpressed = "2:249:241:198:23:12:8:79.52%:9.24%:4.82%:通过:";
    const QString evaluation = QStringLiteral("应到人数:实到人数:满意:不满意:基本满意:未按键:");
    const QString three = QStringLiteral("李明:王芳:张伟:");
    const QString five = QStringLiteral("李明:王芳:张伟:刘洋:陈静:");
    return {
        {"vote-table",
         PanelKind::Table,
         PanelSubKind::MotionResult,
         kMotionLabels,
         motion,
         QStringLiteral("投票结果"),
         {}},
        {"vote-table-unpressed",
         PanelKind::Table,
         PanelSubKind::MotionResult,
         kMotionLabels,
         motionUnpressed,
         QStringLiteral("投票结果"),
         {}},
        {"vote-histogram",
         PanelKind::Histogram,
         PanelSubKind::MotionResult,
         kMotionLabels,
         motion,
         QStringLiteral("投票结果"),
         {}},
        {"vote-pie",
         PanelKind::Pie,
         PanelSubKind::MotionResult,
         kMotionLabels,
         motionUnpressed,
         QStringLiteral("投票结果"),
         {}},
        {"evaluation-table",
         PanelKind::Table,
         PanelSubKind::MotionResult,
         evaluation,
         motionUnpressed,
         QStringLiteral("测评结果"),
         {}},
        {"election3-table",
         PanelKind::Table,
         PanelSubKind::ThreeCandidatesOneChoice,
         three + QStringLiteral("未按键:"),
         "112:86:43:",
         QStringLiteral("选举结果"),
         {}},
        {"election3-histogram",
         PanelKind::Histogram,
         PanelSubKind::ThreeCandidatesOneChoice,
         three,
         "112:86:43:",
         QStringLiteral("选举结果"),
         {}},
        {"election3-multi-table",
         PanelKind::Table,
         PanelSubKind::ThreeCandidatesSeveralChoices,
         three,
         "150:132:97:",
         QStringLiteral("选举结果"),
         {}},
        {"election3-multi-pie",
         PanelKind::Pie,
         PanelSubKind::ThreeCandidatesSeveralChoices,
         three,
         "150:132:97:",
         QStringLiteral("选举结果"),
         {}},
        {"election5-table",
         PanelKind::Table,
         PanelSubKind::FiveCandidatesOneChoice,
         five,
         "96:61:44:27:12:",
         QStringLiteral("选举结果"),
         {}},
        {"election5-histogram",
         PanelKind::Histogram,
         PanelSubKind::FiveCandidatesOneChoice,
         five,
         "96:61:44:27:12:",
         QStringLiteral("选举结果"),
         {}},
        {"election5-multi-table",
         PanelKind::Table,
         PanelSubKind::FiveCandidatesSeveralChoices,
         five,
         "180:152:121:99:64:",
         QStringLiteral("选举结果"),
         {}},
        {"election5-multi-histogram",
         PanelKind::Histogram,
         PanelSubKind::FiveCandidatesSeveralChoices,
         five,
         "180:152:121:99:64:",
         QStringLiteral("选举结果"),
         {}},
        {"election5-multi-pie",
         PanelKind::Pie,
         PanelSubKind::FiveCandidatesSeveralChoices,
         five,
         "180:152:121:99:64:",
         QStringLiteral("选举结果"),
         {}},
        {"scoring-table",
         PanelKind::Table,
         PanelSubKind::MeanMark,
         QStringLiteral("平均分:"),
         "83.75:",
         QStringLiteral("投票结果"),
         {}},
        {"signin-table",
         PanelKind::Table,
         PanelSubKind::SignInFigures,
         QStringLiteral("应到人数:实到人数:未到人数:::"),
         "249:236:13:::",
         {},
         {}},
        {"signin-histogram",
         PanelKind::Histogram,
         PanelSubKind::SignInFigures,
         QStringLiteral("应到人数:实到人数:未到人数:::"),
         "249:236:13:::",
         {},
         {}},
        {"evaluation-legend",
         PanelKind::KeyLegend,
         PanelSubKind::None,
         QStringLiteral("按键一:按键二:按键三:::满意:不满意:基本满意:::"),
         {},
         {},
         QStringLiteral("请按相应键测评")},
        {"english-vote-table",
         PanelKind::Table,
         PanelSubKind::MotionResult,
         "Due:Present:Yes:No:Abstain:Not pressed:",
         motionUnpressed,
         "Result",
         {}},
        {"english-election-pie",
         PanelKind::Pie,
         PanelSubKind::FiveCandidatesOneChoice,
         "Maria Santos:John Smith:Li Wei:Ahmed Khan:Anna Novak:",
         "96:61:44:27:12:",
         "Election result",
         {}},
        {"english-legend",
         PanelKind::KeyLegend,
         PanelSubKind::None,
         "Key 1:Key 2:Key 3:Key 4:Key 5:Maria Santos:John Smith:Li Wei:Ahmed Khan:Anna Novak:",
         {},
         {},
         "Please press the key of your choice"},
    };
}

TEST(ScreenGalleryTest, EveryKindDrawsInsideTheScreenAtEachOfferedSize)
{
    for (const QSize size : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080), QSize(480, 360)}) {
        for (const Scene& scene : scenes()) {
            SCOPED_TRACE(
                QString("%1 at %2x%3").arg(scene.name).arg(size.width()).arg(size.height()).toStdString());
            ScreenPanelState state = hallPanel();
            state.setKind(scene.kind, scene.subKind);
            state.setShowPercentages(1);
            state.setTopLine(scene.topLine, kYellow, 0);
            state.setLines({}, {}, scene.line3, kWhite);
            state.setChart(scene.labels, scene.values, kWhite);
            const QImage image = ScreenPainter::renderPanel(state, size);
            keep(image, QString("gallery-%1-%2").arg(scene.name).arg(size.width()));
            const QRect area = chartArea(QRect(QPoint(0, 0), size));
            EXPECT_GT(ink(image, area, kBlue), size.width() / 2);
            // The margin left of the chart area stays clear below the title band.
            EXPECT_EQ(ink(image, QRect(0, area.top(), area.left() - 2, area.height()), kNavy), 0);
        }
    }
}

// Every kind and sub-kind with 1 to 10 fields, at the offered screen sizes, with
// heading and top line set: the header stays in its band above the chart area,
// and everything the body draws (bars, values, labels, slices, leader labels,
// table rows) stays inside its room with a margin, so nothing is cut off at an
// edge or runs into the header. The header is measured with the body left out
// (kind 0), the body with the header drawn in the background colour, so each
// keeps the place it has when both are shown.
struct FieldSet
{
    QString labels;
    QString values;
};

FieldSet fields(PanelKind kind, PanelSubKind subKind, int count, bool lopsided, bool english)
{
    static const QStringList chinese = {"李明", "王芳", "张伟", "刘洋", "陈静",
                                        "杨帆", "赵磊", "黄丽", "周杰", "吴敏"};
    static const QStringList latin = {"Maria Santos",   "John Smith",  "Li Wei",     "Ahmed Khan",
                                      "Anna Novak",     "Pedro Alves", "Sara Costa", "Tomás Ribeiro",
                                      "Joana Ferreira", "Rui Lopes"};
    const QStringList& names = english ? latin : chinese;
    static const QStringList motion = {"应到人数", "实到人数", "赞成", "反对", "弃权",
                                       "未按键",   "通过率",   "",     "",     ""};
    static const QStringList keys = {"按键一", "按键二", "按键三",   "按键四", "按键五",
                                     "满意",   "不满意", "基本满意", "李明",   "王芳"};
    // A motion's result string: Unit flag, due, present, three key counts, unpressed, percentages, pass text.
    static const QStringList result = {"2",  "249", "240",    "180",    "40",
                                       "12", "8",   "72.29%", "16.06%", "4.82%"};
    static const QStringList allToOne = {"2", "249", "240",     "240",   "0",
                                         "0", "0",   "100.00%", "0.00%", "0.00%"};
    QStringList labels, values;
    for (int i = 0; i < count; ++i) {
        if (kind == PanelKind::KeyLegend) {
            labels.append(keys[i]);
        } else if (subKind == PanelSubKind::MotionResult) {
            labels.append(motion[i].isEmpty() ? QStringLiteral("备注%1").arg(i) : motion[i]);
            values.append((lopsided ? allToOne : result)[i]);
        } else {
            labels.append(names[i]);
            values.append(QString::number(lopsided ? (i == 0 ? 236 : 0) : 112 - 11 * i));
        }
    }
    if (subKind == PanelSubKind::MeanMark && kind != PanelKind::KeyLegend)
        values = {QStringLiteral("83.75")};
    return {labels.join(':') + ':', values.join(':') + (values.isEmpty() ? "" : ":")};
}

TEST(ScreenLayoutTest, EverythingStaysInsideItsPlaceAtEveryOfferedSize)
{
    const QColor background(0, 0, 160);
    for (const QSize size : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)}) {
        const QRect client(QPoint(0, 0), size);
        const QRect area = chartArea(client);
        const int edge = edgeMargin(client);

        ScreenPanelState header;
        header.setColours(background, background);
        header.setHeading(kMotionTitle, kYellow);
        header.setTopLine(kAttendance, kYellow, 0);
        const QRect headerInk = inkBounds(ScreenPainter::renderPanel(header, size), background, true);
        ASSERT_FALSE(headerInk.isEmpty());
        EXPECT_GE(headerInk.left(), edge);
        EXPECT_LE(headerInk.right(), client.right() - edge);
        EXPECT_GE(headerInk.top(), topLineY(client));
        EXPECT_LT(headerInk.bottom(), area.top() - edge);

        struct Case
        {
            PanelKind kind;
            PanelSubKind subKind;
        };
        QList<Case> cases;
        for (const PanelKind kind : {PanelKind::Histogram, PanelKind::Pie, PanelKind::Table})
            for (int subKind = 1; subKind <= 7; ++subKind)
                cases.append({kind, PanelSubKind(subKind)});
        cases.append({PanelKind::KeyLegend, PanelSubKind::None});

        // The three lines of a prompt, long ones included, keep off the edges and below the header.
        ScreenPanelState prompt;
        prompt.setColours(background, background);
        prompt.setKind(PanelKind::ThreeLines, PanelSubKind::None);
        prompt.setHeading(kMotionTitle, background);
        prompt.setTopLine(kAttendance, background, 0);
        prompt.setLines(QStringLiteral("李明正在发言"),
                        "Please press the key of your choice now to cast your vote",
                        QStringLiteral("请按相应键投票"), kWhite);
        const QRect lines = inkBounds(ScreenPainter::renderPanel(prompt, size), background, true);
        EXPECT_TRUE(client.adjusted(edge, area.top() + edge, -edge, -edge).contains(lines)) << size.width();
        for (const Case& c : cases) {
            for (int count = 1; count <= 10; ++count) {
                for (const int variant : {0, 1, 2}) {
                    const bool lopsided = variant == 1;
                    const bool english = variant == 2;
                    if (lopsided && c.kind == PanelKind::Table)
                        continue; // a table has no heights or angles to be lopsided
                    SCOPED_TRACE(QString("kind %1 sub-kind %2, %3 fields%4 at %5x%6")
                                     .arg(int(c.kind))
                                     .arg(int(c.subKind))
                                     .arg(count)
                                     .arg(lopsided  ? ", one takes all"
                                          : english ? ", Latin names"
                                                    : "")
                                     .arg(size.width())
                                     .arg(size.height())
                                     .toStdString());
                    ScreenPanelState state;
                    state.setColours(background, background);
                    state.setKind(c.kind, c.subKind);
                    state.setShowPercentages(1);
                    // The header in the background colour: it keeps its place but leaves no ink.
                    state.setHeading(kMotionTitle, background);
                    state.setTopLine(kAttendance, background, 0);
                    state.setLines(
                        {}, {}, c.kind == PanelKind::KeyLegend ? QStringLiteral("请按相应键投票") : QString(),
                        kWhite);
                    const FieldSet f = fields(c.kind, c.subKind, count, lopsided, english);
                    state.setChart(f.labels, f.values, kWhite);
                    const QImage image = ScreenPainter::renderPanel(state, size);
                    const QRect body = inkBounds(image, background, true);
                    if (body.isEmpty())
                        continue; // nothing to show (no bars for the average score, no fields for its rows)
                    // The key legend's prompt is centred across the whole screen; the charts keep to their
                    // area.
                    const QRect room = c.kind == PanelKind::KeyLegend
                                           ? client.adjusted(edge, area.top() + edge, -edge, -edge)
                                           : area.adjusted(edge, edge, -edge, -edge);
                    EXPECT_TRUE(room.contains(body))
                        << "drawn " << body.left() << "," << body.top() << " to " << body.right() << ","
                        << body.bottom() << "; room " << room.left() << "," << room.top() << " to "
                        << room.right() << "," << room.bottom();
                    EXPECT_GT(body.top(), headerInk.bottom());

                    if (c.kind == PanelKind::Pie) {
                        // Pie labels: apart from each other and off the dish, inside the chart area.
                        const ScreenPainter::PieLabels labels = ScreenPainter::pieLabels(client, state);
                        for (int i = 0; i < labels.rects.size(); ++i) {
                            if (labels.rects[i].isEmpty())
                                continue;
                            EXPECT_TRUE(room.contains(labels.rects[i])) << i;
                            const Pie dish =
                                pie(client, {1}); // the dish's place does not depend on the figures
                            const int reach =
                                dishHalfWidth(dish, labels.rects[i].top(), labels.rects[i].bottom());
                            EXPECT_TRUE(reach == 0 || labels.rects[i].left() > dish.centre.x() + reach ||
                                        labels.rects[i].right() < dish.centre.x() - reach)
                                << i << " lies on the dish";
                            for (int j = 0; j < i; ++j)
                                EXPECT_FALSE(labels.rects[i].intersects(labels.rects[j]))
                                    << i << " and " << j;
                        }
                    }
                }
            }
        }
    }
}

// Previews can be squeezed to nothing; painting must not fault then (Qt's own
// assertions in debug builds and the sanitizer builds watch the arithmetic).
TEST(ScreenGalleryTest, TinyAndDegeneratePanelsPaintWithoutFaulting)
{
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(7, 5), QSize(40, 30), QSize(3000, 20)}) {
        for (const Scene& scene : scenes()) {
            SCOPED_TRACE(
                QString("%1 at %2x%3").arg(scene.name).arg(size.width()).arg(size.height()).toStdString());
            ScreenPanelState state = hallPanel();
            state.setKind(scene.kind, scene.subKind);
            state.setShowPercentages(1);
            state.setHeading(scene.topLine, kYellow);
            state.setLines("a", "b", scene.line3, kWhite);
            state.setChart(scene.labels, scene.values, kWhite);
            const QImage image = ScreenPainter::renderPanel(state, size);
            ASSERT_EQ(image.size(), size.expandedTo(QSize(1, 1)));
        }
    }
    NameGridState grid;
    grid.setNames({"a", "b", "c"}, 3);
    for (const QSize size : {QSize(1, 1), QSize(9, 9)})
        EXPECT_EQ(ScreenPainter::renderNameGrid(grid, size).size(), size);
}

} // namespace
