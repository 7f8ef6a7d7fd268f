#include "prep/DelegatePhoto.h"

#include <QFile>

namespace {

quint32 le32(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16 |
           quint32(quint8(b[at + 3])) << 24;
}

quint16 le16(const QByteArray& b, int at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

constexpr qint64 kFileHeader = 14;
constexpr qint64 kMaxSide = 32768;

} // namespace

namespace DelegatePhoto {

bool isUsableBmp(const QByteArray& bytes)
{
    const qint64 size = bytes.size();
    if (size < kFileHeader + 12 || !bytes.startsWith("BM"))
        return false;
    const qint64 statedSize = le32(bytes, 2);
    const qint64 offset = le32(bytes, 10);
    const qint64 infoSize = le32(bytes, 14);
    if (statedSize > size) // 0 is common and harmless
        return false;
    if (infoSize != 12 && infoSize < 40)
        return false;
    if (kFileHeader + infoSize > size || offset < kFileHeader + infoSize || offset >= size)
        return false;

    qint64 width = 0, height = 0, bits = 0, compression = 0, imageSize = 0;
    if (infoSize == 12) {
        width = le16(bytes, 18);
        height = le16(bytes, 20);
        bits = le16(bytes, 24);
    } else {
        width = qint32(le32(bytes, 18));
        height = qint32(le32(bytes, 22));
        bits = le16(bytes, 28);
        compression = le32(bytes, 30);
        imageSize = le32(bytes, 34);
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (imageSize > size - offset)
        return false;
    switch (compression) {
    case 0: // plain rows
    case 3: // bit fields
    case 6: {
        const qint64 stride = (width * bits + 31) / 32 * 4;
        return stride * height <= size - offset;
    }
    case 1: // run-length encoded: the stated size counts
    case 2:
        return imageSize > 0;
    default:
        return false;
    }
}

QImage toImage(const QByteArray& bytes)
{
    if (!isUsableBmp(bytes))
        return {};
    return QImage::fromData(bytes, "BMP");
}

bool readFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return false;
    const QByteArray data = file.read(kMaxFileBytes + 1);
    if (data.size() != file.size() || file.error() != QFileDevice::NoError)
        return false;
    bytes = data;
    return true;
}

} // namespace DelegatePhoto
