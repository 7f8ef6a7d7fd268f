#include "framepane/BitmapFile.h"
#include "framepane/FrameFormat.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

uint32_t read32(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

// Every pixel different, and width 13 so that 24-bit rows need padding.
QImage noisyFrame(int bitCount)
{
    QImage image(13, 7, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 19, y * 36, (x * 7 + y * 11) * 3 % 256));
    return toCaptureFormat(image, image.size(), bitCount);
}

} // namespace

TEST(BitmapFileTest, HeadersDescribeBottomUpPaddedRows)
{
    const QImage frame = noisyFrame(24);
    const QByteArray bytes = bitmapFileBytes(frame);
    const int stride = 40; // 13 * 3 = 39, padded to 40

    // What another reader may skip: the sizes, a positive (bottom-up) height and the padding.
    // The offsets, the format and the pixels are read back in the next test.
    ASSERT_EQ(bytes.size(), 54 + stride * 7);
    EXPECT_EQ(read32(bytes, 2), uint32_t(bytes.size()));
    EXPECT_EQ(read32(bytes, 22), 7u);
    EXPECT_EQ(read32(bytes, 34), uint32_t(stride * 7));
    EXPECT_EQ(bytes[54 + 39], '\0');
}

TEST(BitmapFileTest, AnotherReaderGetsTheSamePixelsAtEveryBitCount)
{
    for (const int bitCount : {16, 24, 32}) {
        const QImage frame = noisyFrame(bitCount);
        QByteArray bytes = bitmapFileBytes(frame);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "bmp");
        const QImage read = reader.read();
        ASSERT_FALSE(read.isNull()) << bitCount << ": " << reader.errorString().toStdString();
        EXPECT_EQ(read.convertToFormat(frame.format()), frame) << bitCount;
    }
}
