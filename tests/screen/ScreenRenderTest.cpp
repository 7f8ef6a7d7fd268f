// Renders the panel and the name grid into images and checks what only a
// picture shows: nothing clipped at an edge or run into the header, labels
// beside the dish and apart, bars and slices in the palette colours.

#include "screen/ScreenGeometry.h"
#include "screen/ScreenPainter.h"
#include "support/Screenshot.h"

#include <QFontInfo>
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

// Pixels in the rectangle that are the colour (exact) or are not (ink on that fill).
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
    QRect bounds;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if ((rgb.pixel(x, y) | 0xFF000000u) != (background.rgb() | 0xFF000000u))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The screen in navy, the chart area in blue unless told.
ScreenPanelState hallPanel(PanelKind kind, PanelSubKind subKind, const QColor& screen = kNavy)
{
    ScreenPanelState state;
    state.setColours(screen, kBlue);
    state.setKind(kind, subKind);
    state.setShowPercentages(1);
    return state;
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
    cases.append({PanelKind::ThreeLines, PanelSubKind::None});
    return cases;
}

// Every chart kind with every sub-kind at every offered size, with 1 to 10
// fields (typical, one taking all, long Latin names), and the header lines set:
// everything the body draws stays in its room with a margin, so the sixth bar
// of a motion vote keeps inside the right edge, the last table row is not cut
// off at the bottom and no pie label runs into the heading or onto the dish.
// The header is drawn in the background colour: it keeps its place but leaves no ink.
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
                    const bool lines = kind == PanelKind::KeyLegend || kind == PanelKind::ThreeLines;
                    if ((lopsided && kind == PanelKind::Table) ||
                        (kind == PanelKind::ThreeLines && count > 1))
                        continue; // a table has no heights or angles to be lopsided, lines no fields
                    SCOPED_TRACE(QString("kind %1 sub-kind %2, %3 fields, variant %4 at %5x%6")
                                     .arg(int(kind))
                                     .arg(int(subKind))
                                     .arg(count)
                                     .arg(variant)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .toStdString());
                    ScreenPanelState state = hallPanel(kind, subKind, kBlue);
                    state.setHeading(kMotionTitle, kBlue);
                    state.setTopLine(kAttendance, kBlue, 0);
                    // A long line 2 is drawn smaller rather than leave the screen.
                    if (kind == PanelKind::ThreeLines)
                        state.setLines(QStringLiteral("李明正在发言"),
                                       "Please press the key of your choice now to cast your vote",
                                       QStringLiteral("请按相应键投票"), kWhite);
                    else if (kind == PanelKind::KeyLegend)
                        state.setLines({}, {}, QStringLiteral("请按相应键投票"), kWhite);
                    const FieldSet f = fields(kind, subKind, count, lopsided, english);
                    state.setChart(f.labels, f.values, kWhite);
                    const QImage image = ScreenPainter::renderPanel(state, size);
                    const QRect body = inkBounds(image, kBlue);
                    // Only the mean mark has no bars; everything else draws something (an empty dish at
                    // least).
                    const bool nothing = subKind == PanelSubKind::MeanMark && kind == PanelKind::Histogram;
                    ASSERT_EQ(body.isEmpty(), nothing);
                    if (nothing)
                        continue;
                    // Prompt lines are centred across the whole screen; charts keep to their area.
                    const QRect room = lines ? client.adjusted(edge, area.top() + edge, -edge, -edge)
                                             : area.adjusted(edge, edge, -edge, -edge);
                    EXPECT_TRUE(room.contains(body))
                        << "drawn " << body.left() << "," << body.top() << " to " << body.right() << ","
                        << body.bottom() << "; room " << room.left() << "," << room.top() << " to "
                        << room.right() << "," << room.bottom();
                    if (kind == PanelKind::Table) {
                        // The last row is written, not dropped for want of room.
                        const int rows = tableRows(state).size();
                        const TableColumns c = tableColumns(area, subKind, rows);
                        EXPECT_GT(ink(image, tableRowCell(area, c, rows - 1), kBlue), 20);
                    }
                    if (kind != PanelKind::Pie)
                        continue;
                    // Pie labels apart from each other and off the dish, whose place does not depend
                    // on the figures.
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

// The top line and the heading, alone or together, stay in the band above the chart area.
TEST(ScreenLayoutTest, HeaderKeepsToItsBand)
{
    for (const QSize& size : kOfferedSizes) {
        SCOPED_TRACE(size.width());
        const QRect client(QPoint(0, 0), size);
        const QRect area = chartArea(client);
        const int edge = edgeMargin(client);
        for (const int header : {1, 2, 3}) { // top line, heading, both
            ScreenPanelState state = hallPanel(PanelKind::Blank, PanelSubKind::None);
            state.setTopLine(header & 1 ? kAttendance : QString(), kYellow, 0);
            state.setHeading(header & 2 ? kMotionTitle : QString(), kYellow);
            const QImage image = ScreenPainter::renderPanel(state, size);
            const QRect drawn = inkBounds(image.copy(0, 0, size.width(), area.top()), kNavy);
            EXPECT_TRUE(
                QRect(QPoint(edge, topLineY(client)), QPoint(client.right() - edge, area.top() - edge - 1))
                    .contains(drawn))
                << header;
            const HeaderBoxes boxes = headerBoxes(client, header & 1, header & 2);
            EXPECT_EQ(exact(image, boxes.topLine, kYellow) > 100, bool(header & 1));
            EXPECT_EQ(exact(image, boxes.heading, kYellow) > 100, bool(header & 2));
            // The chart area keeps its own colour, untouched by the header.
            EXPECT_EQ(ink(image, area, kBlue), 0) << header;
        }
    }
}

TEST(ScreenRenderTest, ChartsPaintTheirFiguresInPaletteOrder)
{
    const QRect client(QPoint(0, 0), kHall);
    const QRect area = chartArea(client);
    ScreenPanelState state = hallPanel(PanelKind::Histogram, PanelSubKind::MotionResult);
    state.setHeading(kMotionTitle, kYellow);
    state.setTopLine(kAttendance, kYellow, 0);
    state.setChart(kMotionLabels, kMotionResult, kWhite);
    QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-vote-histogram");
    const QList<Bar> bars = histogram(area, PanelSubKind::MotionResult, {249, 240, 180, 40, 12, 8});
    for (int i = 0; i < bars.size(); ++i) {
        // The bar's face, and nothing above it, in the bar's colour.
        int coloured = 0;
        for (int y = area.top(); y < baseLineY(area); ++y)
            coloured += image.pixelColor(bars[i].front.center().x(), y) == chartColour(i);
        EXPECT_EQ(coloured, bars[i].front.height()) << i;
    }

    state.setKind(PanelKind::Pie, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart(QStringLiteral("李明:王芳:张伟:刘洋:陈静:"), "96:61:44:27:12:", kWhite);
    image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-election-pie");
    const Pie p = pie(client, {96, 61, 44, 27, 12});
    const ScreenPainter::PieLabels labels = ScreenPainter::pieLabels(client, state);
    ASSERT_EQ(labels.rects.size(), 5);
    for (int i = 0; i < 5; ++i) {
        // Inside the top face, a third of the way out along the middle angle; the label where placed.
        const double m = qDegreesToRadians(p.slices[i].middleDegrees);
        const QPoint inside(qRound(p.centre.x() + p.topFace.width() / 6.0 * qCos(m)),
                            qRound(p.centre.y() - p.topFace.height() / 6.0 * qSin(m)));
        EXPECT_EQ(image.pixelColor(inside), chartColour(i)) << i;
        EXPECT_GT(exact(image, labels.rects[i], kWhite), 20) << i;
    }

    // No total: no palette colour anywhere, and a never-voted motion still paints.
    for (const PanelKind kind : {PanelKind::Histogram, PanelKind::Pie}) {
        state.setKind(kind, PanelSubKind::ThreeCandidatesOneChoice);
        state.setChart(QStringLiteral("李明:王芳:张伟:"), "0:0:0:", kWhite);
        image = ScreenPainter::renderPanel(state, kHall);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(exact(image, image.rect(), chartColour(i)), 0) << int(kind);
    }
}

TEST(ScreenRenderTest, KeyLegendLeavesEmptyKeysBlankAndThePromptInItsPlace)
{
    const QRect area = chartArea(QRect(QPoint(0, 0), kHall));
    ScreenPanelState state = hallPanel(PanelKind::KeyLegend, PanelSubKind::None);
    state.setLines(QString(), QString(), QStringLiteral("请按相应键投票"), kWhite);
    state.setChart(QStringLiteral("按键一:按键二:按键三:::李明:王芳:张伟:::"), QString(), kWhite);
    const QImage image = ScreenPainter::renderPanel(state, kHall);
    keep(image, "screen-election-legend");
    const KeyLegend legend = keyLegend(area);
    const int rowHeight = legend.rowPitch * 3 / 4;
    EXPECT_GT(
        ink(image, QRect(legend.labelX, legend.rowY[2], area.right() - legend.labelX, rowHeight), kBlue),
        200);
    EXPECT_EQ(ink(image, QRect(legend.labelX, legend.rowY[3], 1000, legend.line3Y - legend.rowY[3]), kBlue),
              0);
    EXPECT_GT(ink(image, QRect(0, legend.line3Y, kHall.width(), rowHeight / 2), kBlue), 200);
}

TEST(ScreenRenderTest, NameGridKeepsTheTitleAboveTheFirstRowAndTheLastRowOffTheEdge)
{
    const QRect client(QPoint(0, 0), kHall);
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
    EXPECT_GT(ink(image, cell(23), blue), 100);
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
    EXPECT_EQ(ink(second, cell(16), blue), 0);
}

TEST(ScreenRenderTest, TopLineFontSwitchChoosesTheKaiFace)
{
    const QString kai = QFontInfo(ScreenPainter::kaiFont(40)).family();
    if (!kai.contains("Kai", Qt::CaseInsensitive) && !kai.contains(QStringLiteral("楷")))
        GTEST_SKIP() << "no Kai face installed (fonts-arphic-ukai)";
    ScreenPanelState state = hallPanel(PanelKind::Blank, PanelSubKind::None);
    state.setTopLine(QStringLiteral("请按相应键投票"), kYellow, 0);
    const QImage hei = ScreenPainter::renderPanel(state, kHall);
    state.setTopLine(QStringLiteral("请按相应键投票"), kYellow, 1);
    EXPECT_NE(ScreenPainter::renderPanel(state, kHall), hei);
}

// Previews can be squeezed to nothing. Asserts only the image size: the point is
// to run the painter's arithmetic under Qt's debug assertions and the sanitizers.
TEST(ScreenSanitizerCheck, TinyAndDegeneratePanelsPaintWithoutFaulting)
{
    const QList<std::pair<PanelKind, PanelSubKind>> cases = chartCases();
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(7, 5), QSize(40, 30), QSize(3000, 20)}) {
        for (const auto& [kind, subKind] : cases) {
            for (const bool neverVoted : {false, true}) {
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
                state.setChart(f.labels, neverVoted ? QString() : f.values, kWhite);
                ASSERT_EQ(ScreenPainter::renderPanel(state, size).size(), size.expandedTo(QSize(1, 1)));
            }
        }
    }
    NameGridState grid;
    grid.setNames({"a", "b", "c"}, 3);
    for (const QSize size : {QSize(1, 1), QSize(9, 9)})
        EXPECT_EQ(ScreenPainter::renderNameGrid(grid, size).size(), size);
}

} // namespace
