#include "screen/ScreenGeometry.h"

#include <gtest/gtest.h>

using namespace ScreenGeometry;

namespace {

const QRect kHall(0, 0, 1366, 768);

TEST(ScreenPlacementTest, MalformedSizeTextsGiveSmallOrInvisibleWindows)
{
    const struct
    {
        const char* text;
        QRect rect;
    } cases[] = {
        {"1366*768", QRect(1920, 0, 1366, 768)},
        // No "*": all digits are the width, the height is 0 and the window cannot be seen.
        {"1280", QRect(1920, 0, 1280, 0)},
        {" 1280px * 72O0 ", QRect(1920, 0, 1280, 720)},
        // Further stars are dropped, their digits joining the height, which is capped.
        {"1024*768*2", QRect(1920, 0, 1024, 7682)},
        {"1024*7680*2", QRect(1920, 0, 1024, kMaxScreenSide)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowRect(c.text, 1920), c.rect) << c.text;
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
    EXPECT_TRUE(placeWindow(QRect(1920, 0, 1280, 0), {primary}, primary).rect.isEmpty());
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
