#pragma once
// A QR code of a text, for a phone's camera: black modules on white with the
// quiet zone the standard asks for.

#include <QImage>
#include <QString>

// Each module scale x scale pixels; a null image when the text cannot be encoded.
QImage qrCodeImage(const QString& text, int scale);
