#include "framepane/FrameFormat.h"

#include <gtest/gtest.h>

TEST(FrameFormatTest, LargeFramesAreStretchedIntoTheWindowArea)
{
    QImage frame(1280, 720, QImage::Format_RGB32);
    frame.fill(Qt::blue);
    frame.setPixel(0, 0, qRgb(255, 0, 0));
    for (int y = 640; y < 720; ++y) // the bottom right 16 x 80 (4 x 26 after scaling)
        for (int x = 1264; x < 1280; ++x)
            frame.setPixel(x, y, qRgb(0, 255, 0));

    const QImage pane = paneImage(frame);
    EXPECT_EQ(pane.size(), QSize(320, 240));
    EXPECT_EQ(pane.pixel(319, 239), qRgb(0, 255, 0));
    EXPECT_EQ(pane.pixel(160, 120), qRgb(0, 0, 255));
}

TEST(FrameFormatTest, TheCameraFormatNearestTheWantedSizeIsChosen)
{
    const QList<QSize> offered{{1920, 1080}, {320, 240}, {640, 360}, {1280, 720}};
    EXPECT_EQ(nearestSize(offered, QSize(640, 480)), 2);
    EXPECT_EQ(nearestSize(offered, QSize(4000, 3000)), 0);
    EXPECT_EQ(nearestSize(offered, QSize(160, 120)), 1);
    EXPECT_EQ(nearestSize({}, QSize(640, 480)), -1);
}
