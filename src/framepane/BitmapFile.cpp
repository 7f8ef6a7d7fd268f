#include "framepane/BitmapFile.h"

#include "framepane/FrameFormat.h"

#include <QtEndian>

namespace {

void append16(QByteArray& bytes, uint16_t value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void append32(QByteArray& bytes, uint32_t value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

QByteArray bitmapFileBytes(const QImage& frame)
{
    const int bitCount = bitCountOf(frame.format());
    const int stride = (frame.width() * bitCount + 31) / 32 * 4;
    const uint32_t pixelSize = uint32_t(stride) * uint32_t(frame.height());
    QByteArray bytes;
    bytes.reserve(kBitmapHeaderSize + int(pixelSize));
    bytes.append("BM", 2);
    append32(bytes, pixelSize + kBitmapHeaderSize);
    append16(bytes, 0);
    append16(bytes, 0);
    append32(bytes, kBitmapHeaderSize);

    append32(bytes, 40);
    append32(bytes, uint32_t(frame.width()));
    append32(bytes, uint32_t(frame.height())); // positive: rows bottom-up
    append16(bytes, 1);
    append16(bytes, uint16_t(bitCount));
    append32(bytes, 0); // BI_RGB
    append32(bytes, pixelSize);
    for (int unused = 0; unused < 4; ++unused) // resolution and colour counts
        append32(bytes, 0);

    const QByteArray padding(stride, '\0');
    for (int row = frame.height() - 1; row >= 0; --row) {
        const int used = frame.width() * bitCount / 8;
        bytes.append(reinterpret_cast<const char*>(frame.constScanLine(row)), used);
        bytes.append(padding.constData(), stride - used);
    }
    return bytes;
}

QString proposedBitmapName(const QTime& time)
{
    return time.toString(QStringLiteral("HH_mm_ss")) + QStringLiteral(".bmp");
}
