// Renders the panel and the name grid into images and checks what only a picture shows.

#include "screen/ScreenGeometry.h"
#include "screen/ScreenPainter.h"

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

// Pixels in the rectangle that are the colour (same) or are not (ink on that fill).
int count(const QImage& image, const QRect& rect, const QColor& colour, bool same = false)
{
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixelColor(x, y) == colour) == same;
    return n;
}

// The smallest rectangle holding every pixel that is not the background.
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

ScreenPanelState hallPanel(PanelKind kind, PanelSubKind subKind, const QColor& screen = kNavy)
{
    ScreenPanelState state;
    state.setColours(screen, kBlue);
    state.setKind(kind, subKind);
    state.setShowPercentages(1);
    return state;
}

// Labels and values of `count` fields: typical figures, one field taking everything (lopsided) or
// long Latin names (english).
std::pair<QString, QString> fields(PanelKind kind, PanelSubKind subKind, int count, bool lopsided,
                                   bool english)
{
    const QStringList names =
        (kind == PanelKind::KeyLegend
             ? QStringLiteral("按键一:按键二:按键三:按键四:按键五:满意:不满意:基本满意:李明:王芳")
         : subKind == PanelSubKind::MotionResult
             ? QStringLiteral("应到人数:实到人数:赞成:反对:弃权:未按键:通过率:备注7:备注8:备注9")
         : english ? QStringLiteral("Maria Santos:John Smith:Li Wei:Ahmed Khan:Anna Novak:Pedro Alves:"
                                    "Sara Costa:Tomás Ribeiro:Joana Ferreira:Rui Lopes")
                   : QStringLiteral("李明:王芳:张伟:刘洋:陈静:杨帆:赵磊:黄丽:周杰:吴敏"))
            .split(':');
    const QStringList result =
        (lopsided ? QString("2:249:240:240:0:0:0:100.00%:0.00%:0.00%") : kMotionResult).split(':');
    QStringList values;
    for (int i = 0; i < count && kind != PanelKind::KeyLegend; ++i)
        values.append(subKind == PanelSubKind::MotionResult
                          ? result[i]
                          : QString::number(lopsided ? (i == 0 ? 236 : 0) : 112 - 11 * i));
    if (subKind == PanelSubKind::MeanMark && kind != PanelKind::KeyLegend)
        values = {QStringLiteral("83.75")};
    return {names.mid(0, count).join(':') + ':', values.join(':') + (values.isEmpty() ? "" : ":")};
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

TEST(ScreenLayoutTest, TablePercentagesEndClearOfTheRightEdge)
{
    for (const QSize& size : kOfferedSizes) {
        ScreenPanelState state = hallPanel(PanelKind::Table, PanelSubKind::MotionResult, kBlue);
        state.setChart(QStringLiteral("Previstos:Presentes:Sim:Não:Abstenção:"),
                       QStringLiteral("1:40:30:17:5:5:42.50%:12.50%:12.50%:Aprovada:"), kWhite);
        const QImage image = ScreenPainter::renderPanel(state, QSize(size));
        const QRect ink = inkBounds(image, kBlue);
        EXPECT_LE(ink.right(), size.width() - size.width() / 30) << size.width();
    }
}

// Every chart at every offered size with 1 to 10 fields: the sixth bar keeps inside the right edge, the
// last table row is not cut off, no pie label runs into the heading or onto the dish. The header is
// drawn in the background colour: it keeps its place but leaves no ink.
TEST(ScreenLayoutTest, EveryChartStaysInsideItsPlaceAtEveryOfferedSize)
{
    for (const QSize& size : kOfferedSizes) {
        const QRect client(QPoint(0, 0), size);
        const QRect area = chartArea(client);
        const int edge = edgeMargin(client);
        for (const auto& [kind, subKind] : chartCases()) {
            for (int n = 1; n <= 10; ++n) {
                for (const int variant : {0, 1, 2}) {
                    const bool lines = kind == PanelKind::KeyLegend || kind == PanelKind::ThreeLines;
                    if ((variant == 1 && kind == PanelKind::Table) ||
                        (kind == PanelKind::ThreeLines && n > 1))
                        continue; // a table has no heights or angles to be lopsided, lines no fields
                    SCOPED_TRACE(testing::Message() << int(kind) << "/" << int(subKind) << " n" << n << " v"
                                                    << variant << " " << size.width());
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
                    const auto [names, values] = fields(kind, subKind, n, variant == 1, variant == 2);
                    state.setChart(names, values, kWhite);
                    const QImage image = ScreenPainter::renderPanel(state, size);
                    const QRect body = inkBounds(image, kBlue);
                    const bool nothing = subKind == PanelSubKind::MeanMark && kind == PanelKind::Histogram;
                    ASSERT_EQ(body.isEmpty(), nothing);
                    if (nothing)
                        continue;
                    // Prompt lines are centred across the whole screen; charts keep to their area.
                    const QRect room = lines ? client.adjusted(edge, area.top() + edge, -edge, -edge)
                                             : area.adjusted(edge, edge, -edge, -edge);
                    EXPECT_TRUE(room.contains(body));
                    if (kind == PanelKind::Table) {
                        // The last row is written, not dropped for want of room.
                        const int rows = tableRows(state).size();
                        const TableColumns c = tableColumns(area, subKind, rows);
                        EXPECT_GT(count(image, tableRowCell(area, c, rows - 1), kBlue), 20);
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

TEST(ScreenRenderTest, ChartsPaintTheirFiguresInPaletteOrder)
{
    const QRect client(QPoint(0, 0), kHall);
    const QRect area = chartArea(client);
    ScreenPanelState state = hallPanel(PanelKind::Histogram, PanelSubKind::MotionResult);
    state.setHeading(kMotionTitle, kYellow);
    state.setTopLine(kAttendance, kYellow, 0);
    state.setChart(kMotionLabels, kMotionResult, kWhite);
    QImage image = ScreenPainter::renderPanel(state, kHall);
    const QList<Bar> bars = histogram(area, PanelSubKind::MotionResult, {249, 240, 180, 40, 12, 8});
    for (int i = 0; i < bars.size(); ++i) {
        // The bar's face, and nothing above it, in the bar's colour.
        int coloured = 0;
        for (int y = area.top(); y < baseLineY(area); ++y)
            coloured += image.pixelColor(bars[i].front.center().x(), y) == chartColour(i);
        EXPECT_EQ(coloured, bars[i].front.height()) << i;
    }

    // No total: no palette colour anywhere.
    state.setKind(PanelKind::Histogram, PanelSubKind::ThreeCandidatesOneChoice);
    state.setChart(QStringLiteral("李明:王芳:张伟:"), "0:0:0:", kWhite);
    image = ScreenPainter::renderPanel(state, kHall);
    EXPECT_EQ(count(image, image.rect(), chartColour(0), true), 0);
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
    for (int i = 0; i < 40; ++i)
        names.append(QStringLiteral("王李张刘陈杨赵黄").mid(i % 8, 1) + QStringLiteral("海燕"));
    grid.setNames(names.mid(0, 24), 24);
    const QImage image = ScreenPainter::renderNameGrid(grid, kHall);
    const NameCells cells = nameCells(client, 8, 3, 24);
    auto cell = [&cells](int i) { return QRect(cells.topLeft[i], QSize(cells.cellWidth, cells.cellHeight)); };
    EXPECT_GT(count(image, cell(23), blue), 100);
    EXPECT_LT(inkBounds(image, blue).bottom(), client.bottom() - edgeMargin(client));

    // A large title alone stays above the first row.
    NameGridState titleOnly = grid;
    titleOnly.setFont(900, QStringLiteral("粗体"));
    titleOnly.setNames({}, 0);
    const QRect title = inkBounds(ScreenPainter::renderNameGrid(titleOnly, kHall), blue);
    EXPECT_GE(title.top(), kTitleY);
    EXPECT_LT(title.bottom(), cells.topLeft[0].y());
}

// Previews squeezed to nothing: runs the painter's arithmetic under Qt's assertions and the sanitizers.
TEST(ScreenSanitizerCheck, TinyAndDegeneratePanelsPaintWithoutFaulting)
{
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(7, 5), QSize(40, 30), QSize(3000, 20)}) {
        for (const auto& [kind, subKind] : chartCases()) {
            for (const bool neverVoted : {false, true}) {
                SCOPED_TRACE(testing::Message() << int(kind) << "/" << int(subKind) << " " << size.width());
                ScreenPanelState state = hallPanel(kind, subKind);
                state.setHeading(kMotionTitle, kYellow);
                state.setLines("a", "b", "c", kWhite);
                const auto [names, values] = fields(kind, subKind, 5, false, false);
                state.setChart(names, neverVoted ? QString() : values, kWhite);
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
