#pragma once
// The console's one look: button faces, line icons and pictures compiled in as
// SVG, rendered at the size a window asks for, and the style of plain widgets
// (edits, lists, progress bars) that sit on the dark pictures.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

class QPainter;

namespace Skin {

enum class FaceKind
{
    Tile,      // large square navigation tile
    Push,      // dialog button on a dark picture
    PushLight, // dialog button on a light picture
};

struct Faces
{
    QPixmap normal;
    QPixmap hover;
    QPixmap pressed;
    QPixmap disabled;
};

Faces faces(FaceKind kind, const QSize& size);

// A line icon ("settings", "linecheck", "preparation", "meeting", "after",
// "exit", "help", "unplugged") in the given colour; null for an unknown name.
QPixmap icon(const QString& name, int size, const QColor& colour);

// A compiled-in SVG picture (":/ui/<name>.svg") rendered at `size`; null when missing.
QPixmap picture(const QString& name, const QSize& size);

QIcon programIcon();

// Light accent used for highlights and online marks.
QColor accent();
// Text on the dark pictures.
QColor captionOnDark();

// The dark top-to-bottom shade behind the small dialogs of the link.
void paintDialogShade(QPainter& painter, const QRect& area);

// Style sheet for the plain widgets of a window drawn on a dark picture.
QString darkStyleSheet();

} // namespace Skin
