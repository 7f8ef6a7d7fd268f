#include "framepane/FrameFormat.h"

#include <gtest/gtest.h>

TEST(FrameFormatTest, TheCameraFormatNearestTheWantedSizeIsChosen)
{
    const QList<QSize> offered{{1920, 1080}, {320, 240}, {640, 360}, {1280, 720}};
    EXPECT_EQ(nearestSize(offered, QSize(640, 480)), 2);
    EXPECT_EQ(nearestSize(offered, QSize(4000, 3000)), 0);
    EXPECT_EQ(nearestSize(offered, QSize(160, 120)), 1);
    EXPECT_EQ(nearestSize({}, QSize(640, 480)), -1);
}
