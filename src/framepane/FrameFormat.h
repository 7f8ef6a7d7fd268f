#pragma once
// The capture format as images: 16 bits are 5-5-5 RGB, 24 bits B G R bytes,
// 32 bits B G R X, rows padded to four bytes, which is how a bitmap file holds
// them. The window draws every frame into a fixed 320 x 240 area.

#include <QImage>
#include <QList>
#include <QSize>

constexpr QSize kPaneSize{320, 240};

QImage::Format imageFormatFor(int bitCount);
int bitCountOf(QImage::Format format);
// Any image (a camera frame) converted to the capture size and bit count.
QImage toCaptureFormat(const QImage& image, QSize size, int bitCount);
// The frame stretched into the window's area, as the window draws it.
QImage paneImage(const QImage& frame);
// Index of the offered size nearest to the wanted one, -1 when none is offered.
int nearestSize(const QList<QSize>& offered, QSize wanted);
