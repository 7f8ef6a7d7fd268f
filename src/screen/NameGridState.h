#pragma once
// What the name grid shows: a title and one page of names in a grid of cells,
// filled in reading order. The sign-in page pages through the present or the
// absent delegates with it.

#include <QColor>
#include <QString>
#include <QStringList>

class NameGridState
{
public:
    static constexpr int kMaxNames = 250;
    static constexpr int kMaxSide = 250; // rows or columns

    void setColours(const QColor& background, const QColor& text);
    // Size in tenths of a point; an unknown face falls back to the screen's CJK font.
    void setFont(int sizeTenths, const QString& face);
    void setGrid(int rows, int columns);
    void setTitle(const QString& text) { title = text; }
    // At most 250 names are kept; count is clamped to 0..250.
    void setNames(const QStringList& names, int count);

    // Names actually drawn: no more than the names given, the count and the cells.
    int drawnCount() const;

    QStringList names;
    int nameCount = 0;
    QString title;
    int rows = 9;
    int columns = 3;
    QColor background = QColor(0, 0, 255);
    QColor text = Qt::white;
    QString fontFace;
    int fontSizeTenths = 450;
};
