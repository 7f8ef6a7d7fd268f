#pragma once
// Text files for the document page: speeches and scripts written by any editor. A byte-order mark
// or valid UTF-8 decides the encoding; anything else is taken in the legacy code page of the
// language in use (GBK for Chinese), the way such files were saved on the operator's PC.

#include <QByteArray>
#include <QString>

namespace TextFileDecoder {

// The legacy code page of a stored language code: "0" (Chinese) 936, the others 1252.
int legacyCodePage(const QString& languageCode);

// The file's lines, each followed by "\n" (a "\r" before it is dropped).
QString decode(const QByteArray& bytes, int legacyCodePage);

// Reads and decodes a file; false (and *text untouched) when it cannot be read.
bool readFile(const QString& path, int legacyCodePage, QString* text);

} // namespace TextFileDecoder
