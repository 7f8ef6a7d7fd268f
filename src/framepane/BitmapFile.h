#pragma once
// A frame as a bitmap file: the 14-byte file header, the 40-byte info header
// and the pixel rows bottom-up, each padded to four bytes.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTime>

constexpr int kBitmapHeaderSize = 54;

// The frame must be in a capture format (see FrameFormat.h).
QByteArray bitmapFileBytes(const QImage& frame);
// The name a save proposes: the time as "%H_%M_%S.bmp".
QString proposedBitmapName(const QTime& time);
