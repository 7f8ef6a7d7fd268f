#include "screen/ScreenGeometry.h"

#include <gtest/gtest.h>

using namespace ScreenGeometry;

namespace {

const QRect kHall(0, 0, 1366, 768);

TEST(ScreenPlacementTest, WindowSitsRightOfThePrimaryDisplayAndMalformedSizesStaySmall)
{
    EXPECT_EQ(windowRect("1366*768", 1920), QRect(1920, 0, 1366, 768));
    EXPECT_EQ(windowRect("1920*1080", 0), QRect(0, 0, 1920, 1080));
    // No "*": all digits are the width, the height is 0 and the window cannot be seen.
    EXPECT_EQ(windowRect("1280", 1920), QRect(1920, 0, 1280, 0));
    EXPECT_EQ(windowRect(" 1280px * 72O0 ", 1920).size(), QSize(1280, 720));
    EXPECT_EQ(windowRect("", 1920).size(), QSize(0, 0));
    EXPECT_EQ(windowRect("*", 1920).size(), QSize(0, 0));
    // Further stars are dropped, their digits joining the height, and that height is capped.
    EXPECT_EQ(windowRect("1024*768*2", 0).height(), 7682);
    EXPECT_EQ(windowRect("1024*7680*2", 0).height(), kMaxScreenSide);
    EXPECT_EQ(sizeNumber("99999999999999999999"), kMaxScreenSide);
    EXPECT_EQ(sizeNumber("abc"), 0);
}

TEST(ScreenPlacementTest, FramelessOnASecondDisplayFramedAndShrunkOnThePrimaryOtherwise)
{
    const QRect primary(0, 0, 1920, 1080);
    const QRect wanted(1920, 0, 1366, 768);
    const WindowPlacement onSecond = placeWindow(wanted, {primary, QRect(1920, 0, 1366, 768)}, primary);
    EXPECT_FALSE(onSecond.framed);
    EXPECT_EQ(onSecond.rect, wanted);

    // Alone: half the primary at most, proportions kept, in its lower right corner.
    const WindowPlacement alone = placeWindow(wanted, {primary}, QRect(0, 0, 1920, 1040));
    EXPECT_TRUE(alone.framed);
    EXPECT_EQ(alone.rect.height(), 520);
    EXPECT_NEAR(double(alone.rect.width()) / alone.rect.height(), 1366.0 / 768.0, 0.01);
    EXPECT_TRUE(QRect(961, 481, 959, 559).contains(alone.rect));
    // Small enough already: kept as it is.
    EXPECT_EQ(placeWindow(QRect(1920, 0, 800, 450), {primary}, primary).rect.size(), QSize(800, 450));
    // A second display placed below the primary is not where the window goes.
    EXPECT_TRUE(placeWindow(wanted, {primary, QRect(0, 1080, 1920, 1080)}, primary).framed);
    // Too large for the primary: shrunk with its proportions.
    const WindowPlacement shrunk =
        placeWindow(QRect(1024, 0, 1920, 1080), {QRect(0, 0, 1024, 768)}, QRect(0, 0, 1024, 738));
    EXPECT_LE(shrunk.rect.width(), 1024 / 2);
    EXPECT_NEAR(double(shrunk.rect.width()) / shrunk.rect.height(), 1920.0 / 1080.0, 0.01);
    EXPECT_TRUE(placeWindow(QRect(1920, 0, 1280, 0), {primary}, primary).rect.isEmpty());
}

TEST(PanelGeometryTest, TextSizeAndAreasFollowTheClient)
{
    EXPECT_EQ(textSizeTenths(1366), 546);
    EXPECT_EQ(textSizeTenths(1024), 409);
    EXPECT_EQ(tenthsToPixels(546), 72);
    EXPECT_EQ(tenthsToPixels(450), 60);

    EXPECT_EQ(chartArea(kHall), QRect(68, 102, 1298, 666));
    EXPECT_EQ(gridArea(kHall), QRect(68, 38, 1298, 730));
    // An offset client (a preview inside a page) keeps its origin.
    EXPECT_EQ(chartArea(QRect(10, 20, 400, 300)), QRect(30, 60, 380, 260));

    EXPECT_EQ(topLineY(kHall), 15);
    EXPECT_EQ(headingY(kHall), 38);
    EXPECT_EQ(centredX(0, 1366, 366), 500);
    EXPECT_EQ(edgeMargin(kHall), 7);
}

TEST(PanelGeometryTest, ThreeLinesSitAtSixthsAndLineOneDropsWhenLineTwoIsEmpty)
{
    const ThreeLines full = threeLines(kHall, false);
    EXPECT_EQ(full.line1Y, 128);
    EXPECT_EQ(full.line2Y, 256);
    EXPECT_EQ(full.line3Y, 384);

    const ThreeLines two = threeLines(kHall, true);
    EXPECT_EQ(two.line1Y, 256); // 2/6 of the height
    EXPECT_EQ(two.line3Y, 384); // 3/6 of the height
}

TEST(PanelGeometryTest, KeyLegendRowsAndTableColumns)
{
    const QRect area = chartArea(kHall);
    const KeyLegend legend = keyLegend(area);
    EXPECT_EQ(legend.labelX, 68 + 216);
    ASSERT_EQ(legend.rowY.size(), 5);
    EXPECT_EQ(legend.rowY.first(), 102 + 55);
    EXPECT_EQ(legend.rowY.last(), 102 + 55 + 4 * 111);
    EXPECT_EQ(legend.line3Y, 102 + 5 * 111);

    const TableColumns table = tableColumns(area, PanelSubKind::SignInFigures);
    EXPECT_EQ(table.labelX, 68 + 162);
    EXPECT_EQ(table.valueX, 68 + 594);
    EXPECT_EQ(table.unitX, 68 + 810);
    EXPECT_GT(table.percentX, table.unitX);
    EXPECT_EQ(table.firstRowY, 102 + 33);
    EXPECT_EQ(table.rowPitch, 133);
    // A sixth of the height for a motion vote; five rows fit at that pitch.
    EXPECT_EQ(tableColumns(area, PanelSubKind::MotionResult).rowPitch, 111);
    EXPECT_EQ(tableColumns(area, PanelSubKind::MotionResult, 5).rowPitch, 111);
    // Six rows at a sixth would end below the screen: they close up until they fit.
    const TableColumns six = tableColumns(area, PanelSubKind::MotionResult, 6);
    EXPECT_LT(six.rowPitch, 111);
    EXPECT_GT(six.rowPitch, 95);
    EXPECT_LE(tableRowCell(area, six, 5).bottom(), area.bottom() - area.height() / 20);
}

TEST(HistogramGeometryTest, BarsStandOnTheBaseLineAtSeventyPercentOfTheTotal)
{
    const QRect area(0, 0, 1200, 600); // h = 600: base line at 480
    const QList<Bar> bars = histogram(area, PanelSubKind::FiveCandidatesOneChoice, {30, 10, 20, 0, 0});
    ASSERT_EQ(bars.size(), 5);
    const int barWidth = 1200 / 11;
    for (int i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i].front.left(), (2 * i + 1) * barWidth);
        EXPECT_EQ(bars[i].front.width(), barWidth);
        EXPECT_EQ(bars[i].front.bottom() + 1, 480);
        EXPECT_EQ(bars[i].depth, 10);
    }
    EXPECT_EQ(bars[0].front.height(), 210); // 7 * 30 / (10 * 60) * 600
    EXPECT_EQ(bars[1].front.height(), 70);
    EXPECT_EQ(bars[2].front.height(), 140);
    EXPECT_EQ(bars[3].front.height(), 0);
    EXPECT_EQ(bars[0].front.height() + bars[1].front.height() + bars[2].front.height(), 420);
    // The value is written h/10 above the top, a quarter of the bar width in.
    EXPECT_EQ(bars[0].valueTopLeft, QPoint(barWidth + barWidth / 4, 480 - 210 - 60));
    EXPECT_GE(bars[0].labelCell.top(), 480);
    EXPECT_LE(bars[4].labelCell.right(), area.right());
}

TEST(HistogramGeometryTest, WidthsBySubKindTruncationAndEmptyTotals)
{
    const QRect area(0, 0, 1200, 600);
    // A motion vote: six bars in 13 widths with the unpressed, five in 11 without them.
    EXPECT_EQ(histogram(area, PanelSubKind::MotionResult, {50, 48, 30, 10, 8, 0})[1].front.width(),
              1200 / 13);
    EXPECT_EQ(histogram(area, PanelSubKind::MotionResult, {50, 48, 30, 10, 8})[1].front.width(), 1200 / 11);
    EXPECT_EQ(histogram(area, PanelSubKind::ThreeCandidatesOneChoice, {1, 2, 3})[0].front.width(), 171);
    EXPECT_TRUE(histogram(area, PanelSubKind::MeanMark, {85.5}).isEmpty());
    // Three bars at most for the three-candidate elections.
    EXPECT_EQ(histogram(area, PanelSubKind::ThreeCandidatesSeveralChoices, {1, 2, 3, 4, 5}).size(), 3);
    // 7 * 1 / 30 * 600 = 140 exactly, 7 * 2 / 30 * 600 = 280; a third of 420 truncates.
    EXPECT_EQ(histogram(area, PanelSubKind::ThreeCandidatesOneChoice, {1, 1, 1})[0].front.height(), 140);
    EXPECT_EQ(histogram(area, PanelSubKind::SignInFigures, {49, 47, 2})[2].front.height(),
              8); // 8.57 truncated

    // A total of 0 (nobody pressed) gives flat bars, no division by zero.
    const QList<Bar> flat = histogram(area, PanelSubKind::FiveCandidatesSeveralChoices, {0, 0, 0, 0, 0});
    ASSERT_EQ(flat.size(), 5);
    for (const Bar& bar : flat)
        EXPECT_EQ(bar.front.height(), 0);
    // Negative figures count as 0.
    EXPECT_EQ(histogram(area, PanelSubKind::ThreeCandidatesOneChoice, {-5, 10, 0})[0].front.height(), 0);
    // One candidate with every vote: 70% of the height would put the value over the
    // area's top edge, so the bar is lowered to leave its value inside.
    const Bar all = histogram(area, PanelSubKind::ThreeCandidatesOneChoice, {-5, 10, 0})[1];
    EXPECT_LT(all.front.height(), 420);
    EXPECT_GT(all.front.height(), 400);
    EXPECT_GE(all.valueCell.top(), area.top() + edgeMargin(area));
    // With a percentage line above the value the bars make room for that as well.
    const Bar withPercent = histogram(area, PanelSubKind::ThreeCandidatesOneChoice, {0, 10, 0}, 60 + 40)[1];
    EXPECT_GE(withPercent.valueCell.top() - 40, area.top() + edgeMargin(area));
}

TEST(PieGeometryTest, SlicesRunCounterClockwiseInWholeDegreesAndNeedATotal)
{
    const QRect client(0, 0, 1000, 800);
    const Pie p = pie(client, {30, 10, 8});
    EXPECT_EQ(p.topFace, QRect(250, 200, 500, 400));
    EXPECT_EQ(p.centre, QPoint(500, 400));
    EXPECT_EQ(p.depth, 40);
    EXPECT_EQ(p.greyLineTop, QPoint(250, 400));
    EXPECT_EQ(p.greyLineBottom, QPoint(250, 440));
    ASSERT_EQ(p.slices.size(), 3);
    EXPECT_EQ(p.slices[0].startDegrees, 0);
    EXPECT_EQ(p.slices[0].spanDegrees, 225);
    EXPECT_EQ(p.slices[1].startDegrees, 225);
    EXPECT_EQ(p.slices[1].spanDegrees, 75);
    EXPECT_EQ(p.slices[2].startDegrees, 300);
    EXPECT_EQ(p.slices[2].spanDegrees, 60);

    // 1/3 each: 120 degrees; 1/7 each: 51 degrees, leaving a gap of 3 before 360.
    const Pie sevenths = pie(client, {1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(sevenths.slices.last().startDegrees + sevenths.slices.last().spanDegrees, 357);
    // No total, no slices; one figure alone takes the whole dish.
    EXPECT_TRUE(pie(client, {0, 0, 0}).slices.isEmpty());
    EXPECT_TRUE(pie(client, {}).slices.isEmpty());
    EXPECT_EQ(pie(client, {0, 5}).slices[1].spanDegrees, 360);
}

TEST(PieGeometryTest, LabelsSitOutsideTheDishAlongTheMiddleAngle)
{
    const QRect client(0, 0, 1000, 800);
    const Pie p = pie(client, {1, 1, 2}); // middles at 45, 135 and 270 degrees
    const Slice& bottom = p.slices[2];
    EXPECT_DOUBLE_EQ(bottom.middleDegrees, 270);
    EXPECT_NEAR(bottom.labelPoint.x(), 500, 1e-6);
    EXPECT_NEAR(bottom.labelPoint.y(), 400 + 400 / 1.3, 1e-6);
    EXPECT_NEAR(bottom.leaderStart.y(), 400 + 100, 1e-6);
    const Slice& first = p.slices[0];
    EXPECT_GT(first.labelPoint.x(), 500);
    EXPECT_LT(first.labelPoint.y(), 400);
    EXPECT_LT(p.slices[1].labelPoint.x(), 500);
}

// The screen sizes a hall is set up with.
const PanelSubKind kChartSubKinds[] = {PanelSubKind::MotionResult,
                                       PanelSubKind::ThreeCandidatesOneChoice,
                                       PanelSubKind::ThreeCandidatesSeveralChoices,
                                       PanelSubKind::FiveCandidatesOneChoice,
                                       PanelSubKind::FiveCandidatesSeveralChoices,
                                       PanelSubKind::MeanMark,
                                       PanelSubKind::SignInFigures};

const QList<QRect> kOfferedScreens = {QRect(0, 0, 1024, 768), QRect(0, 0, 1366, 768),
                                      QRect(0, 0, 1920, 1080)};

TEST(HeaderGeometryTest, HeadingAndTopLineShareTheBandAboveTheChartArea)
{
    for (const QRect& client : kOfferedScreens) {
        SCOPED_TRACE(client.width());
        const int bandBottom = chartArea(client).top() - edgeMargin(client);
        const HeaderBoxes both = headerBoxes(client, true, true, client.height() / 9);
        EXPECT_EQ(both.topLine.top(), topLineY(client));
        EXPECT_LE(both.topLine.bottom(), both.heading.top() - 1); // the top line above, not overlapping
        EXPECT_EQ(both.heading.bottom(), bandBottom - 1);
        EXPECT_GT(both.topLine.height(), client.height() / 25); // still large enough to read
        EXPECT_GT(both.heading.height(), client.height() / 25);

        const HeaderBoxes topOnly = headerBoxes(client, true, false, client.height() / 9);
        EXPECT_TRUE(topOnly.heading.isEmpty());
        EXPECT_EQ(topOnly.topLine.top(), topLineY(client));
        EXPECT_EQ(topOnly.topLine.bottom(), bandBottom - 1);

        // A heading alone stays at its own y while its line fits there ...
        const HeaderBoxes small = headerBoxes(client, false, true, client.height() / 20);
        EXPECT_TRUE(small.topLine.isEmpty());
        EXPECT_EQ(small.heading.top(), headingY(client));
        // ... and otherwise moves up, but never above the top line's place.
        const HeaderBoxes tall = headerBoxes(client, false, true, client.height() / 9);
        EXPECT_LT(tall.heading.top(), headingY(client));
        EXPECT_GE(tall.heading.top(), topLineY(client));
        EXPECT_EQ(tall.heading.bottom(), bandBottom - 1);
        EXPECT_EQ(headerBoxes(client, false, true, client.height()).heading.top(), topLineY(client));

        EXPECT_TRUE(headerBoxes(client, false, false, 50).topLine.isEmpty());
        EXPECT_TRUE(headerBoxes(client, false, false, 50).heading.isEmpty());
    }
}

TEST(TableGeometryTest, EveryRowOfEverySubKindFitsWithAMargin)
{
    for (const QRect& client : kOfferedScreens) {
        const QRect area = chartArea(client);
        for (const PanelSubKind subKind : kChartSubKinds) {
            const bool motion = subKind == PanelSubKind::MotionResult;
            for (int rows = 1; rows <= (motion ? 6 : 5); ++rows) {
                SCOPED_TRACE(QString("%1 wide, sub-kind %2, %3 rows")
                                 .arg(client.width())
                                 .arg(int(subKind))
                                 .arg(rows)
                                 .toStdString());
                const TableColumns c = tableColumns(area, subKind, rows);
                EXPECT_GE(c.firstRowY, area.top() + edgeMargin(area));
                EXPECT_GT(c.textHeight, c.rowPitch * 3 / 4);
                for (int row = 0; row < rows; ++row) {
                    const QRect cell = tableRowCell(area, c, row);
                    EXPECT_TRUE(area.contains(cell)) << row;
                    EXPECT_LE(cell.bottom(), area.bottom() - area.height() / 20) << row;
                    if (row > 0) {
                        EXPECT_FALSE(cell.intersects(tableRowCell(area, c, row - 1))) << row;
                    }
                }
                // The designed pitch is kept wherever it fits.
                const int designed = area.height() / (motion ? 6 : 5);
                if (c.firstRowY + (rows - 1) * designed + designed * 17 / 20 <=
                    area.bottom() + 1 - area.height() / 20)
                    EXPECT_EQ(c.rowPitch, designed);
                else
                    EXPECT_LT(c.rowPitch, designed);
            }
        }
    }
}

// Figures as the pages hand them over: a typical spread, one candidate taking
// everything, nobody voting and many small counts.
QList<QList<double>> figureSets(int count)
{
    QList<QList<double>> sets(4);
    for (int i = 0; i < count; ++i) {
        sets[0].append(249 - 37 * i > 0 ? 249 - 37 * i : 3 + i);
        sets[1].append(i == 0 ? 240 : 0);
        sets[2].append(0);
        sets[3].append(i == 0 ? 500 : 1 + i % 3);
    }
    return sets;
}

TEST(HistogramGeometryTest, BarsValuesAndLabelsStayInsideTheChartAreaAndApart)
{
    for (const QRect& client : kOfferedScreens) {
        const QRect area = chartArea(client);
        const int h = area.height();
        const QRect inside =
            area.adjusted(edgeMargin(area), edgeMargin(area), -edgeMargin(area), -edgeMargin(area));
        for (const PanelSubKind subKind : kChartSubKinds) {
            for (int count = 1; count <= 10; ++count) {
                for (const QList<double>& values : figureSets(count)) {
                    SCOPED_TRACE(QString("%1 wide, sub-kind %2, %3 figures starting %4")
                                     .arg(client.width())
                                     .arg(int(subKind))
                                     .arg(count)
                                     .arg(values.first())
                                     .toStdString());
                    const int percentLine = h / 16;
                    const QList<Bar> bars = histogram(area, subKind, values, h / 10 + percentLine);
                    EXPECT_EQ(bars.size(), qMin(count, maxBars(subKind)));
                    if (bars.isEmpty())
                        continue;
                    const BaseLine line = baseLine(area, subKind, bars.size());
                    EXPECT_GE(line.left, inside.left());
                    EXPECT_LE(line.right, inside.right());
                    for (int i = 0; i < bars.size(); ++i) {
                        const Bar& bar = bars[i];
                        const QRect withDepth = bar.front.adjusted(0, -bar.depth, bar.depth, 0);
                        EXPECT_TRUE(inside.contains(withDepth)) << i;
                        EXPECT_TRUE(inside.contains(bar.valueCell.adjusted(0, -percentLine, 0, 0))) << i;
                        EXPECT_TRUE(inside.contains(bar.labelCell)) << i;
                        EXPECT_GE(bar.labelCell.height(), h / 10) << i;
                        // The base line runs under the whole bar, its depth included.
                        EXPECT_LE(line.left, bar.front.left()) << i;
                        EXPECT_GE(line.right, withDepth.right()) << i;
                        EXPECT_EQ(bar.front.bottom() + 1, line.y) << i;
                        // The value stands over the bar's top and its depth, the label under the base line.
                        EXPECT_LE(bar.valueCell.bottom(), withDepth.top()) << i;
                        EXPECT_GT(bar.labelCell.top(), line.y) << i;
                        for (int j = 0; j < i; ++j) {
                            EXPECT_FALSE(bar.labelCell.intersects(bars[j].labelCell)) << i << " and " << j;
                            EXPECT_FALSE(bar.valueCell.intersects(bars[j].valueCell)) << i << " and " << j;
                            EXPECT_FALSE(withDepth.intersects(bars[j].front)) << i << " and " << j;
                        }
                    }
                }
            }
        }
    }
}

TEST(PieGeometryTest, LabelsStayInsideTheirRoomAndNeverOverlap)
{
    for (const QRect& client : kOfferedScreens) {
        const QRect area = chartArea(client);
        const QRect allowed = area.adjusted(10, 10, -10, -10);
        for (int count = 1; count <= 10; ++count) {
            for (const QList<double>& values : figureSets(count)) {
                SCOPED_TRACE(QString("%1 wide, %2 slices starting %3")
                                 .arg(client.width())
                                 .arg(count)
                                 .arg(values.first())
                                 .toStdString());
                const Pie p = pie(client, values);
                // Labels the size the painter makes them ("李明:96", with a percentage under it
                // when there are few; smaller when there are many).
                QList<QSize> sizes;
                for (int i = 0; i < count; ++i)
                    sizes.append(
                        QSize(client.width() / 8 + 10 * (i % 3), client.height() / (count > 5 ? 16 : 11)));
                const QList<QRect> rects = pieLabelRects(p, sizes, allowed);
                ASSERT_EQ(rects.size(), p.slices.size());
                for (int i = 0; i < rects.size(); ++i) {
                    if (p.slices[i].spanDegrees <= 0) {
                        EXPECT_TRUE(rects[i].isEmpty()) << i;
                        continue;
                    }
                    EXPECT_EQ(rects[i].size(), sizes[i]) << i;
                    EXPECT_TRUE(allowed.contains(rects[i])) << i;
                    // Not on the dish: clear of it on the label's own side.
                    const int reach = dishHalfWidth(p, rects[i].top(), rects[i].bottom());
                    if (reach > 0) {
                        EXPECT_TRUE(rects[i].left() > p.centre.x() + reach ||
                                    rects[i].right() < p.centre.x() - reach)
                            << i;
                    }
                    for (int j = 0; j < i; ++j)
                        EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
                    // The leader reaches the label's edge.
                    const QPointF end = leaderEnd(rects[i], p.slices[i].leaderStart);
                    EXPECT_TRUE(QRectF(rects[i]).adjusted(-0.5, -0.5, 0.5, 0.5).contains(end)) << i;
                }
            }
        }
    }
    // Where there is room, a label is centred on its slice's label point.
    const QRect client(0, 0, 1366, 768);
    const Pie p = pie(client, {1, 1, 2});
    const QList<QRect> rects =
        pieLabelRects(p, {QSize(100, 40), QSize(100, 40), QSize(100, 40)}, chartArea(client));
    EXPECT_LE((rects[2].center() - p.slices[2].labelPoint.toPoint()).manhattanLength(), 1);
    EXPECT_LE((rects[0].center() - p.slices[0].labelPoint.toPoint()).manhattanLength(), 1);
}

TEST(NameGridGeometryTest, TheTitleTakesTheFirstRowAndTheLastRowFits)
{
    // Seven names in three columns: the title's row, two full rows and one name in a third.
    const QRect grid = gridArea(QRect(0, 0, 1000, 800)); // (50, 40) 950 x 760
    const NameCells cells = nameCells(QRect(0, 0, 1000, 800), 9, 3, 7);
    EXPECT_EQ(cells.cellWidth, 950 / 3);
    EXPECT_EQ(cells.cellHeight, 760 / 10);
    ASSERT_EQ(cells.topLeft.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(cells.topLeft[i],
                  grid.topLeft() + QPoint(i % 3 * cells.cellWidth, (i / 3 + 1) * cells.cellHeight))
            << i;

    // The sign-in page's 8 x 3 page at 60-pixel names: the eighth row ends inside the window.
    const NameCells page = nameCells(kHall, 8, 3, 24);
    ASSERT_EQ(page.topLeft.size(), 24);
    EXPECT_LE(page.topLeft.last().y() + 60, kHall.bottom());
    // More names than cells: only the cells are drawn; degenerate grids draw nothing.
    EXPECT_EQ(nameCells(kHall, 2, 3, 40).topLeft.size(), 6);
    EXPECT_TRUE(nameCells(kHall, 0, 3, 5).topLeft.isEmpty());
    EXPECT_TRUE(nameCells(kHall, 3, 0, 5).topLeft.isEmpty());
    EXPECT_TRUE(nameCells(kHall, 3, 3, -1).topLeft.isEmpty());
}

} // namespace
