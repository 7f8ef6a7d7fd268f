#pragma once
// Legacy Windows code pages (936 = GBK, 1252 = Western, ...) through glibc iconv.
// Bytes that are not valid in the code page become U+FFFD instead of stopping the conversion.

#include <QByteArray>
#include <QString>

namespace CodePage {

// The code page a font charset number of an RTF font table or a LOGFONT stands for; 0 when the
// charset names no code page of its own (DEFAULT_CHARSET and unknown values).
int fromCharset(int charset);
// The charset number written for a code page (134 for 936, 0 for 1252, ...).
int toCharset(int codePage);
// True when iconv knows the code page.
bool isSupported(int codePage);

// Converts bytes in the code page to text; *ok is false when some bytes were invalid.
QString decode(const QByteArray& bytes, int codePage, bool* ok = nullptr);
// Converts text to the code page; *ok is false when some characters have no encoding there
// (they are left out).
QByteArray encode(const QString& text, int codePage, bool* ok = nullptr);

} // namespace CodePage
