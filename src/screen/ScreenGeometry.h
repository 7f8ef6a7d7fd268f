#pragma once
// Where things go on the secondary screen, as plain numbers: the window's
// place on the extended desktop, the areas of the screen panel and the name
// grid, table columns, bars, pie slices and grid cells. The painters draw from
// these and the tests check them directly, so a layout rule lives in one place.
//
// All sizes follow the client rectangle, so the same panel scales from the
// hall screen down to the small previews inside the console's pages.

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

namespace ScreenGeometry {

// Largest width or height taken from a size text; keeps a mistyped setting
// from asking for a gigantic off-screen image.
constexpr int kMaxScreenSide = 8192;

// The number made of the digits of a size text ("1366px" -> 1366); 0 when none.
int sizeNumber(const QString& text);

// The window rectangle for a `ScrSize` text: at (primary width, 0) with the
// stored width and height. A text without "*" has height 0 (an invisible window).
QRect windowRect(const QString& scrSize, int primaryWidth);

// Where the window really goes. On a second display to the right it fills the
// wanted rectangle without a frame. When no display lies there (only one is
// attached, or the second is placed elsewhere) it becomes an ordinary framed
// window in the lower right of the primary display, shrunk to at most half of
// it, so the operator still sees what the hall would see and can move it.
struct WindowPlacement
{
    QRect rect;
    bool framed = false;
};
// displays: geometries of the attached displays, the primary first;
// primaryAvailable: the primary's geometry less task bars.
WindowPlacement placeWindow(const QRect& wanted, const QList<QRect>& displays, const QRect& primaryAvailable);

// Text size of heading, top line and the three lines, in tenths of a point.
int textSizeTenths(int clientWidth);
// Tenths of a point to pixels at 96 dots per inch, the resolution the sizes were drawn for.
int tenthsToPixels(int tenths);

// The client rectangle less 5% of the width on the left and 2/15 of the height on top.
QRect chartArea(const QRect& client);
// The client rectangle less 5% of the width on the left and 5% of the height on top.
QRect gridArea(const QRect& client);

// Top edges of the texts (y is where a text's cell begins, not its base line).
int headingY(const QRect& client); // top + 5% of the height
int topLineY(const QRect& client); // top + 2% of the height

// Left edge that centres a text of the given width in [left, left + width).
int centredX(int left, int width, int textWidth);

// Kind 4: h = client height / 6; lines at h, 2h, 3h, line 1 at 2h when line 2 is empty.
struct ThreeLines
{
    int line1Y = 0;
    int line2Y = 0;
    int line3Y = 0;
};
ThreeLines threeLines(const QRect& client, bool line2Empty);

// Kind 5: keys 1..5 in rows of a sixth of the chart area, line 3 below them.
struct KeyLegend
{
    int labelX = 0;
    QList<int> rowY; // five rows
    int rowPitch = 0;
    int line3Y = 0;
};
KeyLegend keyLegend(const QRect& area);

// Kind 3: three columns (label, value, unit word) and a percentage column after them.
struct TableColumns
{
    int labelX = 0;
    int valueX = 0;
    int unitX = 0;
    int percentX = 0;
    int firstRowY = 0;
    int rowPitch = 0;
};
TableColumns tableColumns(const QRect& area, int subKind);

// Kind 1: bar width as a fraction of the chart-area width, and the most bars of a sub-kind.
int barWidthDivisor(int subKind); // 12, 7, 11 or 0 (no bars)
int maxBars(int subKind);
struct Bar
{
    QRect front;         // the bar's face; its bottom edge is the base line
    int depth = 0;       // the slanted depth drawn up and to the right
    QPoint valueTopLeft; // where the value is written
    QRect labelCell;     // the space under the bar for its label
};
int baseLineY(const QRect& area);
// One bar per value (in order); the total of all values is 70% of the chart-area
// height. A total of 0 gives flat bars.
QList<Bar> histogram(const QRect& area, int subKind, const QList<double>& values);

// Kind 2: the three-dimensional pie, sized from the client rectangle.
struct Slice
{
    int startDegrees = 0; // counter-clockwise from 3 o'clock
    int spanDegrees = 0;
    double middleDegrees = 0;
    QPointF leaderStart;
    QPointF labelPoint;
};
struct Pie
{
    QRect topFace;
    int depth = 0;
    QPoint centre;
    QList<Slice> slices; // one per value; a total of 0 gives no slices
    QPoint greyLineTop;
    QPoint greyLineBottom;
};
Pie pie(const QRect& client, const QList<double>& values);

// Name grid: cell size and the top-left corner of each drawn name. The title
// takes the place of the first row, so the grid height is shared by rows + 1.
struct NameCells
{
    int cellWidth = 0;
    int cellHeight = 0;
    QList<QPoint> topLeft; // one per drawn name, reading order
};
NameCells nameCells(const QRect& client, int rows, int columns, int count);
constexpr int kTitleY = 10;

} // namespace ScreenGeometry
