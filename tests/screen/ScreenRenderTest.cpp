// Renders the panel and the name grid into images and checks what only a
// picture shows: text inside its box and apart, nothing clipped at an edge,
// labels beside the dish, bars and slices in the palette colours where the
// geometry puts them. Exact positions are checked as numbers in ScreenGeometryTest.

#include "screen/ScreenGeometry.h"
#include "screen/ScreenPainter.h"
#include "support/Screenshot.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QtMath>
#include <gtest/gtest.h>

using namespace ScreenGeometry;

namespace {

const QSize kHall(1366, 768);
const QList<QSize> kOfferedSizes = {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)};
const QColor kBlue(0, 0, 160);
const QColor kNavy(0, 0, 96);
const QColor kWhite(Qt::white);
const QColor kYellow(255, 255, 0);

const QString kMotionLabels = QStringLiteral("应到人数:实到人数:赞成:反对:弃权:未按键:");
const QString kMotionResult = QStringLiteral("2:249:240:180:40:12:8:72.29%:16.06%:4.82%:通过:");
const QString kMotionTitle = QStringLiteral("关于修改会议章程的议案");
const QString kAttendance = QStringLiteral("应到 249 人  实到 240 人");

// Rendered images are no widgets; a label carries them to the shared screenshot helper.
void keep(const QImage& image, const QString& name)
{
    QLabel label;
    label.setPixmap(QPixmap::fromImage(image));
    label.resize(image.size());
    saveScreenshot(label, name);
}

// Pixels in the rectangle that are the colour, or that are not when `other` is set.
int count(const QImage& image, const QRect& rect, const QColor& colour, bool other)
{
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixelColor(x, y) == colour) != other;
    return n;
}
int ink(const QImage& image, const QRect& rect, const QColor& fill)
{
    return count(image, rect, fill, true);
}
int exact(const QImage& image, const QRect& rect, const QColor& colour)
{
    return count(image, rect, colour, false);
}

// The smallest rectangle holding every pixel that is not the background; empty when there is none.
QRect inkBounds(const QImage& image, const QColor& background)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb fill = background.rgb() | 0xFF000000u;
    int left = rgb.width(), right = -1, top = rgb.height(), bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((line[x] | 0xFF000000u) == fill)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

ScreenPanelState hallPanel(PanelKind kind, PanelSubKind subKind)
{
    ScreenPanelState state;
    state.setColours(kNavy, kBlue);
    state.setKind(kind, subKind);
    state.setShowPercentages(1);
    return state;
}

class ScreenRenderTest : public ::testing::Test
{
protected:
    const QRect client{QPoint(0, 0), kHall};
    const QRect area = chartArea(client);
};

TEST_F(ScreenRenderTest, FontsResolveToAnInstalledCjkFace)
{
    for (const QFont& font : {ScreenPainter::heiFont(40), ScreenPainter::kaiFont(40),
                              ScreenPainter::faceFont(QStringLiteral("粗体"), 40)}) {
        EXPECT_EQ(QFontInfo(font).pixelSize(), 40);
        // A face with the Chinese glyphs, not a Latin fallback drawing boxes.
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x7968))) << QFontInfo(font).family().toStdString();
    }
    EXPECT_TRUE(ScreenPainter::faceFont(QStringLiteral("粗体"), 40).bold());
}

TEST_F(ScreenRenderTest, TopLineFontSwitchChoosesTheKaiFaceWhereInstalled)
{
    const QString kai = QFontInfo(ScreenPainter::kaiFont(40)).family();
    if (!kai.contains("Kai", Qt::CaseInsensitive) && !kai.contains(QStringLiteral("楷")))
        GTEST_SKIP() << "no Kai face installed (fonts-arphic-ukai)";
    EXPECT_NE(QFontInfo(ScreenPainter::heiFont(40)).family(), kai);
    ScreenPanelState state = hallPanel(PanelKind::Blank, PanelSubKind::None);
    state.setTopLine(QStringLiteral("请按相应键投票"), kYellow, 0);
    const QImage hei = ScreenPainter::renderPanel(state, kHall);
    state.setTopLine(QStringLiteral("请按相应键投票"), kYellow, 1);
    EXPECT_NE(ScreenPainter::renderPanel(state, kHall), hei);
}

TEST(ScreenLayoutTest, HeaderTextFillsItsBoxesAndStaysInTheBandAboveTheChartArea)
{
    for (const QSize& size : kOfferedSizes) {
        const QRect client(QPoint(0, 0), size);
        const QRect area = chartArea(client);
        const int edge = edgeMargin(client);
        for (const bool hasTopLine : {true, false}) {
            for (const bool hasHeading : {true, false}) {
                if (!hasTopLine && !hasHeading)
                    continue;
                SCOPED_TRACE(QString("%1 wide, top line %2, heading %3")
                                 .arg(size.width())
                                 .arg(hasTopLine)
                                 .arg(hasHeading)
                                 .toStdString());
                ScreenPanelState state = hallPanel(PanelKind::Blank, PanelSubKind::None);
                state.setHeading(hasHeading ? kMotionTitle : QString(), kYellow);
                state.setTopLine(hasTopLine ? kAttendance : QString(), kYellow, 0);
                const QImage image = ScreenPainter::renderPanel(state, size);
                const QRect drawn = inkBounds(image.copy(0, 0, size.width(), area.top()), kNavy);
                ASSERT_FALSE(drawn.isEmpty());
                EXPECT_GE(drawn.left(), edge);
                EXPECT_LE(drawn.right(), client.right() - edge);
                EXPECT_GE(drawn.top(), topLineY(client));
                EXPECT_LT(drawn.bottom(), area.top() - edge);
                const HeaderBoxes boxes = headerBoxes(client, hasTopLine, hasHeading);
                if (hasTopLine) {
                    EXPECT_GT(exact(image, boxes.topLine, kYellow), 100);
                }
                if (hasHeading) {
                    EXPECT_GT(exact(image, boxes.heading, kYellow), 100);
                }
                // The chart area keeps its own colour, untouched by the header.
                EXPECT_EQ(ink(image, area, kBlue), 0);
                EXPECT_EQ(image.pixelColor(area.left() - 1, area.bottom()), kNavy);
            }
        }
    }
}

TEST(ScreenLayoutTest, PromptLinesAreCentredAndLongOnesShrinkInsteadOfLeavingTheScreen)
{
    for (const QSize& size : kOfferedSizes) {
        SCOPED_TRACE(size.width());
        const QRect client(QPoint(0, 0), size);
        const int edge = edgeMargin(client);
        ScreenPanelState state;
        state.setColours(kBlue, kBlue);
        state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
        // The header in the background colour: it keeps its place but leaves no ink.
        state.setHeading(kMotionTitle, kBlue);
        state.setLines(QStringLiteral("李明正在发言"),
                       "Please press the key of your choice now to cast your vote",
                       QStringLiteral("请按相应键投票"), kWhite);
        const QImage image = ScreenPainter::renderPanel(state, size);
        keep(image, QString("screen-prompt-%1").arg(size.width()));
        const QRect lines = inkBounds(image, kBlue);
        EXPECT_TRUE(client.adjusted(edge, chartArea(client).top() + edge, -edge, -edge).contains(lines));
        // Centred: line 1 (a short one) leaves as much room on its left as on its right.
        const int line1Y = threeLines(client, false).line1Y;
        const QRect line1 = inkBounds(image.copy(0, line1Y, size.width(), size.height() / 8), kBlue);
        ASSERT_FALSE(line1.isEmpty());
        EXPECT_LT(line1.width(), size.width() / 2);
        EXPECT_NEAR(line1.left(), size.width() - 1 - line1.right(), size.height() / 12);
    }
}

TEST_F(ScreenRenderTest, MotionTableWritesEveryRowAndPercentagesOnlyOnTheKeyRows)
{
    ScreenPanelState state = hallPanel(PanelKind::Table, PanelSubKind::MotionResult);
    state.setHeading(kMotionTitle, kYellow);
    state.setTopLine(kAttendance, kYellow, 0);
    state.setChart(kMotionLabels, kMotionResult, kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-vote-table");
    const TableColumns c = tableColumns(area, PanelSubKind::MotionResult, 6);
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        const QRect cell = tableRowCell(area, c, row);
        EXPECT_GT(ink(image, QRect(c.labelX, cell.top(), c.valueX - c.labelX, cell.height()), kBlue), 50);
        EXPECT_GT(ink(image, QRect(c.valueX, cell.top(), c.unitX - c.valueX, cell.height()), kBlue), 20);
        EXPECT_GT(ink(image, QRect(c.unitX, cell.top(), c.percentX - c.unitX, cell.height()), kBlue), 20);
        const QRect percent(c.percentX, cell.top(), area.right() - c.percentX, cell.height());
        EXPECT_EQ(ink(image, percent, kBlue) > 50, row >= 2 && row <= 4);
    }
}

TEST_F(ScreenRenderTest, HistogramBarsTakeThePaletteColoursAtTheirComputedPlaces)
{
    ScreenPanelState state = hallPanel(PanelKind::Histogram, PanelSubKind::MotionResult);
    state.setHeading(kMotionTitle, kYellow);
    state.setTopLine(kAttendance, kYellow, 0);
    state.setChart(kMotionLabels, kMotionResult, kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-vote-histogram");

    const QList<Bar> bars = histogram(area, PanelSubKind::MotionResult, {249, 240, 180, 40, 12, 8});
    const int base = baseLineY(area);
    for (int i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        const QRect& front = bars[i].front;
        // The whole face, and nothing above it, is in the bar's colour.
        int coloured = 0;
        for (int y = area.top(); y < base; ++y)
            coloured += image.pixelColor(front.center().x(), y) == chartColour(i);
        EXPECT_EQ(coloured, front.height());
        EXPECT_EQ(image.pixelColor(front.center().x(), base - 1), chartColour(i));
        // The value above the bar and the label below it.
        EXPECT_GT(ink(image, QRect(bars[i].valueTopLeft, QSize(front.width(), area.height() / 12)), kBlue),
                  20);
        EXPECT_GT(ink(image, bars[i].labelCell.adjusted(0, 0, 0, -bars[i].labelCell.height() / 2), kBlue),
                  20);
    }
}

TEST_F(ScreenRenderTest, PieSlicesRunCounterClockwiseInPaletteOrderWithTheirLabelsBeside)
{
    ScreenPanelState state = hallPanel(PanelKind::Pie, PanelSubKind::FiveCandidatesOneChoice);
    state.setHeading(QStringLiteral("选举结果"), kWhite);
    state.setChart(QStringLiteral("李明:王芳:张伟:刘洋:陈静:"), "96:61:44:27:12:", kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-election-pie");

    const Pie p = pie(client, {96, 61, 44, 27, 12});
    const ScreenPainter::PieLabels labels = ScreenPainter::pieLabels(client, state);
    ASSERT_EQ(p.slices.size(), 5);
    ASSERT_EQ(labels.rects.size(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        // Inside the top face, a third of the way out along the middle angle.
        const double m = qDegreesToRadians(p.slices[i].middleDegrees);
        const QPoint inside(qRound(p.centre.x() + p.topFace.width() / 6.0 * qCos(m)),
                            qRound(p.centre.y() - p.topFace.height() / 6.0 * qSin(m)));
        EXPECT_EQ(image.pixelColor(inside), chartColour(i));
        // The label is written where the layout placed it.
        EXPECT_GT(exact(image, labels.rects[i], kWhite), 20);
    }
    // The first slice starts at 3 o'clock going up: above the right end is colour 0, below it the last.
    const int x = p.centre.x() + p.topFace.width() / 2 - 30;
    EXPECT_EQ(image.pixelColor(x, p.centre.y() - 8), chartColour(0));
    EXPECT_EQ(image.pixelColor(x, p.centre.y() + 8), chartColour(4));
    // The rim shows below the front of the dish.
    const QColor rim = image.pixelColor(p.centre.x(), p.topFace.bottom() + p.depth / 2);
    EXPECT_NE(rim, kBlue);
    EXPECT_NE(rim, kNavy);
}

TEST_F(ScreenRenderTest, EmptyTotalsDrawEmptyChartsWithoutPaletteColours)
{
    for (const PanelKind kind : {PanelKind::Histogram, PanelKind::Pie}) {
        SCOPED_TRACE(int(kind));
        ScreenPanelState state = hallPanel(kind, PanelSubKind::ThreeCandidatesOneChoice);
        state.setChart(QStringLiteral("李明:王芳:张伟:"), "0:0:0:", kWhite);
        const QImage image = ScreenPainter::renderPanel(state, kHall);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(exact(image, image.rect(), chartColour(i)), 0);
        EXPECT_GT(ink(image, area, kBlue), 100); // labels, base line or the dish outline
        // A never-voted motion has no value fields at all.
        state.setKind(kind, PanelSubKind::MotionResult);
        state.setChart(kMotionLabels, "", kWhite);
        EXPECT_FALSE(ScreenPainter::renderPanel(state, kHall).isNull());
    }
}

TEST_F(ScreenRenderTest, KeyLegendWritesEachKeyWithItsNameAndLeavesEmptyKeysBlank)
{
    ScreenPanelState state = hallPanel(PanelKind::KeyLegend, PanelSubKind::None);
    state.setLines(QString(), QString(), QStringLiteral("请按相应键投票"), kWhite);
    const KeyLegend legend = keyLegend(area);
    const int textPixels = tenthsToPixels(textSizeTenths(kHall.width()));

    // Three candidates and two empty keys.
    state.setChart(QStringLiteral("按键一:按键二:按键三:::李明:王芳:张伟:::"), QString(), kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-election-legend");
    for (int i = 0; i < 3; ++i) {
        const QRect row(legend.labelX, legend.rowY[i], area.right() - legend.labelX, legend.rowPitch * 3 / 4);
        EXPECT_GT(ink(image, row, kBlue), 200) << i;
    }
    EXPECT_EQ(ink(image, QRect(legend.labelX, legend.rowY[3], 1000, legend.line3Y - legend.rowY[3]), kBlue),
              0);
    // With the last rows empty the prompt keeps its own place.
    EXPECT_GT(ink(image, QRect(0, legend.line3Y, kHall.width(), textPixels / 2), kBlue), 200);
}

TEST_F(ScreenRenderTest, NameGridKeepsTheTitleAboveTheFirstRowAndTheLastRowOffTheEdge)
{
    const QColor blue(0, 0, 255);
    NameGridState grid;
    grid.setColours(blue, kWhite);
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

    const NameCells cells = nameCells(client, 8, 3, 24);
    auto cell = [&cells](int i) { return QRect(cells.topLeft[i], QSize(cells.cellWidth, cells.cellHeight)); };
    EXPECT_GT(ink(image, QRect(0, kTitleY, kHall.width(), 60), blue), 300);
    for (int i = 0; i < 24; ++i)
        EXPECT_GT(ink(image, cell(i), blue), 100) << i;
    EXPECT_EQ(ink(image, QRect(0, 0, gridArea(client).left(), kHall.height()), blue), 0);
    EXPECT_LT(inkBounds(image, blue).bottom(), client.bottom() - edgeMargin(client));

    // A large title alone stays above the first row.
    NameGridState titleOnly = grid;
    titleOnly.setFont(900, QStringLiteral("粗体"));
    titleOnly.setNames({}, 0);
    const QRect title = inkBounds(ScreenPainter::renderNameGrid(titleOnly, kHall), blue);
    EXPECT_GE(title.top(), kTitleY);
    EXPECT_LT(title.bottom(), cells.topLeft[0].y());

    // The second page: 16 names, the rest of the cells blank.
    grid.setNames(names.mid(24), 16);
    const QImage second = ScreenPainter::renderNameGrid(grid, kHall);
    EXPECT_GT(ink(second, cell(15), blue), 100);
    for (int i = 16; i < 24; ++i)
        EXPECT_EQ(ink(second, cell(i), blue), 0) << i;
}

// Labels and values of `count` fields as the pages hand them over: typical
// figures, one field taking everything (lopsided) or Latin names (english).
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
    static const QStringList motion = {"应到人数", "实到人数", "赞成", "反对", "弃权",
                                       "未按键",   "通过率",   "",     "",     ""};
    static const QStringList keys = {"按键一", "按键二", "按键三",   "按键四", "按键五",
                                     "满意",   "不满意", "基本满意", "李明",   "王芳"};
    // A motion's result string: Unit flag, due, present, three key counts, unpressed, percentages.
    static const QStringList result = kMotionResult.split(':');
    static const QStringList allToOne = {"2", "249", "240",     "240",   "0",
                                         "0", "0",   "100.00%", "0.00%", "0.00%"};
    const QStringList& names = english ? latin : chinese;
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

// Every chart kind with every sub-kind, and the key legend.
QList<std::pair<PanelKind, PanelSubKind>> chartCases()
{
    QList<std::pair<PanelKind, PanelSubKind>> cases;
    for (const PanelKind kind : {PanelKind::Histogram, PanelKind::Pie, PanelKind::Table})
        for (int subKind = int(PanelSubKind::MotionResult); subKind <= int(PanelSubKind::SignInFigures);
             ++subKind)
            cases.append({kind, PanelSubKind(subKind)});
    cases.append({PanelKind::KeyLegend, PanelSubKind::None});
    return cases;
}

// With 1 to 10 fields and the header set, everything the body draws (bars,
// values, labels, slices, leader labels, table rows) stays inside its room
// with a margin: nothing is cut off at an edge or runs into the header. The
// header is drawn in the background colour, so it keeps its place but leaves no ink.
TEST(ScreenLayoutTest, EveryChartStaysInsideItsPlaceAtEveryOfferedSize)
{
    for (const QSize& size : kOfferedSizes) {
        const QRect client(QPoint(0, 0), size);
        const QRect area = chartArea(client);
        const int edge = edgeMargin(client);
        for (const auto& [kind, subKind] : chartCases()) {
            for (int count = 1; count <= 10; ++count) {
                for (const int variant : {0, 1, 2}) {
                    const bool lopsided = variant == 1;
                    const bool english = variant == 2;
                    if (lopsided && kind == PanelKind::Table)
                        continue; // a table has no heights or angles to be lopsided
                    SCOPED_TRACE(QString("kind %1 sub-kind %2, %3 fields%4 at %5x%6")
                                     .arg(int(kind))
                                     .arg(int(subKind))
                                     .arg(count)
                                     .arg(lopsided  ? ", one takes all"
                                          : english ? ", Latin names"
                                                    : "")
                                     .arg(size.width())
                                     .arg(size.height())
                                     .toStdString());
                    ScreenPanelState state;
                    state.setColours(kBlue, kBlue);
                    state.setKind(kind, subKind);
                    state.setShowPercentages(1);
                    state.setHeading(kMotionTitle, kBlue);
                    state.setTopLine(kAttendance, kBlue, 0);
                    state.setLines(
                        {}, {}, kind == PanelKind::KeyLegend ? QStringLiteral("请按相应键投票") : QString(),
                        kWhite);
                    const FieldSet f = fields(kind, subKind, count, lopsided, english);
                    state.setChart(f.labels, f.values, kWhite);
                    const QRect body = inkBounds(ScreenPainter::renderPanel(state, size), kBlue);
                    // Only the mean mark has no bars; everything else draws something (an empty dish at
                    // least).
                    const bool nothing = subKind == PanelSubKind::MeanMark && kind == PanelKind::Histogram;
                    ASSERT_EQ(body.isEmpty(), nothing);
                    if (nothing)
                        continue;
                    // The key legend's prompt is centred across the whole screen; the charts keep to their
                    // area.
                    const QRect room = kind == PanelKind::KeyLegend
                                           ? client.adjusted(edge, area.top() + edge, -edge, -edge)
                                           : area.adjusted(edge, edge, -edge, -edge);
                    EXPECT_TRUE(room.contains(body))
                        << "drawn " << body.left() << "," << body.top() << " to " << body.right() << ","
                        << body.bottom() << "; room " << room.left() << "," << room.top() << " to "
                        << room.right() << "," << room.bottom();
                    if (kind != PanelKind::Pie)
                        continue;
                    // Pie labels: apart from each other and off the dish, whose place does not depend on
                    // the figures.
                    const QList<QRect> labels = ScreenPainter::pieLabels(client, state).rects;
                    const Pie dish = pie(client, {1});
                    for (int i = 0; i < labels.size(); ++i) {
                        if (labels[i].isEmpty())
                            continue;
                        EXPECT_TRUE(room.contains(labels[i])) << i;
                        const int reach = dishHalfWidth(dish, labels[i].top(), labels[i].bottom());
                        EXPECT_TRUE(reach == 0 || labels[i].left() > dish.centre.x() + reach ||
                                    labels[i].right() < dish.centre.x() - reach)
                            << i << " lies on the dish";
                        for (int j = 0; j < i; ++j)
                            EXPECT_FALSE(labels[i].intersects(labels[j])) << i << " and " << j;
                    }
                }
            }
        }
    }
}

// Previews can be squeezed to nothing. Asserts only the image size: the point is
// to run the painter's arithmetic under Qt's debug assertions and the sanitizers.
TEST(ScreenSanitizerCheck, TinyAndDegeneratePanelsPaintWithoutFaulting)
{
    for (const QSize size :
         {QSize(0, 0), QSize(1, 1), QSize(7, 5), QSize(40, 30), QSize(480, 360), QSize(3000, 20)}) {
        QList<std::pair<PanelKind, PanelSubKind>> cases = chartCases();
        cases.append({PanelKind::ThreeLines, PanelSubKind::None});
        for (const auto& [kind, subKind] : cases) {
            SCOPED_TRACE(QString("kind %1 sub-kind %2 at %3x%4")
                             .arg(int(kind))
                             .arg(int(subKind))
                             .arg(size.width())
                             .arg(size.height())
                             .toStdString());
            ScreenPanelState state = hallPanel(kind, subKind);
            state.setHeading(kMotionTitle, kYellow);
            state.setLines("a", "b", "c", kWhite);
            const FieldSet f = fields(kind, subKind, 5, false, false);
            state.setChart(f.labels, f.values, kWhite);
            ASSERT_EQ(ScreenPainter::renderPanel(state, size).size(), size.expandedTo(QSize(1, 1)));
        }
    }
    NameGridState grid;
    grid.setNames({"a", "b", "c"}, 3);
    for (const QSize size : {QSize(1, 1), QSize(9, 9)})
        EXPECT_EQ(ScreenPainter::renderNameGrid(grid, size).size(), size);
}

} // namespace
