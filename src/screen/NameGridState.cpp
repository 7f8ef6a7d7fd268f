#include "screen/NameGridState.h"

#include <QtGlobal>

void NameGridState::setColours(const QColor& newBackground, const QColor& newText)
{
    background = newBackground;
    text = newText;
}

void NameGridState::setFont(int sizeTenths, const QString& face)
{
    fontSizeTenths = qMax(0, sizeTenths);
    fontFace = face;
}

void NameGridState::setGrid(int newRows, int newColumns)
{
    rows = qBound(0, newRows, kMaxSide);
    columns = qBound(0, newColumns, kMaxSide);
}

void NameGridState::setNames(const QStringList& newNames, int count)
{
    names = newNames.mid(0, kMaxNames);
    nameCount = qBound(0, count, kMaxNames);
}

int NameGridState::drawnCount() const
{
    return qMin(qMin(nameCount, int(names.size())), rows * columns);
}
