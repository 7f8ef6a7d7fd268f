#pragma once
// The one conversion between a stored colour and a QColor. Colours are stored
// as a Windows COLORREF: red in the low byte, then green, then blue; anything
// above the low 24 bits is ignored. The settings row keeps it as decimal text.
// Header-only, so the screen logic can use it without linking the data layer.

#include <QColor>
#include <QString>

inline QColor colourFromRef(quint32 colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

inline quint32 colourToRef(const QColor& colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

// Decimal text as stored; text that is no number reads as black.
inline QColor storedColour(const QString& value)
{
    return colourFromRef(quint32(value.trimmed().toLongLong()));
}

inline QString colourToStored(const QColor& colour)
{
    return QString::number(colourToRef(colour));
}
