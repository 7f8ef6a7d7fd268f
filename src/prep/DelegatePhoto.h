#pragma once
// A delegate's photo: the bytes of a BMP file, kept as they are. A picture is
// made from them only when the header holds together: sizes and the pixel
// offset it states must lie inside the bytes, so a cut or forged file shows
// nothing instead of reading past its end. Bytes that are no BMP at all are
// still stored; they just show no picture.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace DelegatePhoto {

// Largest photo file the page loads.
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;

// True when the bytes are a BMP file whose header fits the data.
bool isUsableBmp(const QByteArray& bytes);
// The picture, or a null image when the bytes are not a usable BMP.
QImage toImage(const QByteArray& bytes);
// The whole file; false (and `bytes` untouched) when it cannot be opened,
// is too large or cannot be read completely.
bool readFile(const QString& path, QByteArray& bytes);

} // namespace DelegatePhoto
