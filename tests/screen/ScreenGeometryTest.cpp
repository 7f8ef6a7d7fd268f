#include "screen/ScreenGeometry.h"

#include <gtest/gtest.h>

using namespace ScreenGeometry;

namespace {

const QRect kHall(0, 0, 1366, 768);

TEST(ScreenPlacementTest, FramelessOnASecondDisplayBesideTheConsoleOnOneDisplay)
{
    const QRect primary(0, 0, 1920, 1080);
    const QRect wanted(1920, 0, 1366, 768);
    const WindowPlacement onSecond =
        placeWindow(wanted, {primary, QRect(1920, 0, 1366, 768)}, primary, kConsoleWidth);
    EXPECT_FALSE(onSecond.framed);
    EXPECT_FALSE(onSecond.minimised);
    EXPECT_EQ(onSecond.rect, wanted);

    // Alone: framed, proportions kept, clear of the centred console (448..1472), in the lower right.
    const QRect available(0, 0, 1920, 1040);
    const WindowPlacement alone = placeWindow(wanted, {primary}, available, kConsoleWidth);
    EXPECT_TRUE(alone.framed);
    EXPECT_FALSE(alone.minimised);
    EXPECT_FALSE(alone.rect.intersects(QRect(448, 0, 1024, 1040))) << alone.rect.x();
    EXPECT_TRUE(available.contains(alone.rect));
    EXPECT_GE(alone.rect.width(), kMinStandInWidth);
    EXPECT_NEAR(double(alone.rect.width()) / alone.rect.height(), 1366.0 / 768.0, 0.01);
    EXPECT_EQ(alone.rect.bottom(), available.bottom() - 19);

    // No room beside the console on a 1366-pixel display: it starts minimised.
    const WindowPlacement narrow =
        placeWindow(wanted, {QRect(0, 0, 1366, 768)}, QRect(0, 0, 1366, 728), kConsoleWidth);
    EXPECT_TRUE(narrow.framed);
    EXPECT_TRUE(narrow.minimised);
    EXPECT_TRUE(placeWindow(QRect(1920, 0, 1280, 0), {primary}, primary, kConsoleWidth).rect.isEmpty());
}

TEST(ChartGeometryTest, BarsShareSeventyPercentOfTheHeightAndNeverDivideByZero)
{
    const QRect area(0, 0, 1200, 600); // base line at 480, 70% is 420
    const auto heights = [&area](PanelSubKind subKind, const QList<double>& values) {
        QList<int> out;
        for (const Bar& bar : histogram(area, subKind, values))
            out.append(bar.front.height());
        return out;
    };
    EXPECT_EQ(heights(PanelSubKind::FiveCandidatesOneChoice, {30, 10, 20, 0, 0}),
              QList<int>({210, 70, 140, 0, 0}));
    // 8.57 truncated; no total gives flat bars; negative figures count as 0.
    EXPECT_EQ(heights(PanelSubKind::SignInFigures, {49, 47, 2}).last(), 8);
    EXPECT_EQ(heights(PanelSubKind::FiveCandidatesSeveralChoices, {0, 0, 0, 0, 0}), QList<int>(5, 0));
    EXPECT_EQ(heights(PanelSubKind::ThreeCandidatesOneChoice, {-5, 10, 0})[0], 0);
    // One candidate with every vote is lowered to leave its value inside the area.
    const Bar all = histogram(area, PanelSubKind::ThreeCandidatesOneChoice, {0, 10, 0})[1];
    EXPECT_GT(all.front.height(), 400);
    EXPECT_GE(all.valueCell.top(), area.top() + edgeMargin(area));

    // Slices counter-clockwise from 3 o'clock in whole degrees; no total, no slices.
    const Pie p = pie(QRect(0, 0, 1000, 800), {30, 10, 8});
    QList<int> slices;
    for (const Slice& slice : p.slices)
        slices << slice.startDegrees << slice.spanDegrees;
    EXPECT_EQ(slices, QList<int>({0, 225, 225, 75, 300, 60}));
    EXPECT_TRUE(pie(kHall, {0, 0, 0}).slices.isEmpty());
}

} // namespace
