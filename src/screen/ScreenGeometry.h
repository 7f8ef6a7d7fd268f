#pragma once
// Where things go on the secondary screen, as plain numbers: the window's
// place on the extended desktop, the areas of the screen panel and the name
// grid, table columns, bars, pie slices and grid cells. The painters draw from
// these and the tests check them directly, so a layout rule lives in one place.
//
// All sizes follow the client rectangle, so the same panel scales from the
// hall screen down to the small previews inside the console's pages.

#include "screen/PanelKind.h"

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
// window, movable and resizable, that hides nothing of the console (a window
// of consoleWidth centred on the primary display): in the lower right of the
// strip beside it, with the wanted proportions. When that strip is narrower
// than kMinStandInWidth there is no room beside the console: the window then
// starts minimised, and the operator brings it up when wanted.
constexpr int kMinStandInWidth = 320;
constexpr int kConsoleWidth = 1024; // the main window and the hubs
struct WindowPlacement
{
    QRect rect;
    bool framed = false;
    bool minimised = false;
};
// displays: geometries of the attached displays, the primary first;
// primaryAvailable: the primary's geometry less task bars.
WindowPlacement placeWindow(const QRect& wanted, const QList<QRect>& displays, const QRect& primaryAvailable,
                            int consoleWidth);

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

// The free strip kept along the edges of the screen and of the chart area, so
// nothing touches an edge (a projector may crop a few pixels as well).
int edgeMargin(const QRect& rect);

// The boxes the top line and the heading may fill: both stay in the band above
// the chart area, so a tall heading on a wide screen never runs into a chart.
// Alone, a text goes from its own y to the band's bottom; when both are set
// they share the band, the top line above the heading. A heading alone moves
// up (at most to the top line's place) when its line of lineHeight pixels
// would not fit below its own y. An absent text gets an empty box.
struct HeaderBoxes
{
    QRect topLine;
    QRect heading;
};
HeaderBoxes headerBoxes(const QRect& client, bool hasTopLine, bool hasHeading, int lineHeight = 0);

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
    int textHeight = 0; // the part of a row its texts may fill; the rest is air
};
// rowCount: the rows to be drawn. Six rows of a motion vote at a sixth of the
// height would end below the screen, so when the rows do not fit with as much
// room under the last row as above the first, the pitch shrinks until they do.
TableColumns tableColumns(const QRect& area, PanelSubKind subKind, int rowCount = 0);
// The cell of row i's texts, from the label column to the area's right margin.
QRect tableRowCell(const QRect& area, const TableColumns& columns, int row);

// Kind 1: bar width as a fraction of the chart-area width, and the most bars of a sub-kind.
// Bars are as wide as the gaps, with a gap before the first and after the last
// bar: 2n + 1 widths for n bars (7 for three, 11 for five, 13 for the six of a
// motion vote that counts the unpressed; 0 when the sub-kind has no bars).
int barWidthDivisor(PanelSubKind subKind, int barCount = 0);
int maxBars(PanelSubKind subKind);
struct Bar
{
    QRect front;         // the bar's face; its bottom edge is the base line
    int depth = 0;       // the slanted depth drawn up and to the right
    QPoint valueTopLeft; // where the value is written
    QRect valueCell;     // the space above the bar for its value
    QRect labelCell;     // the space under the bar for its label
};
int baseLineY(const QRect& area);
// The base line's ends: from half a bar width before the first bar to half a
// bar width after the last one (and its depth).
struct BaseLine
{
    int left = 0;
    int right = 0;
    int y = 0;
};
BaseLine baseLine(const QRect& area, PanelSubKind subKind, int barCount);
// One bar per value (in order); the total of all values is 70% of the chart-area
// height. A total of 0 gives flat bars. headroom: what is written above a bar
// (h/10 for its value, more with a percentage over it); should a bar be so tall
// that this would leave the chart area, all bars are scaled down alike.
QList<Bar> histogram(const QRect& area, PanelSubKind subKind, const QList<double>& values, int headroom = -1);

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
// Half the width of the dish (top face and rim) at its widest between two rows; 0 above or below it.
int dishHalfWidth(const Pie& pie, int top, int bottom);
// Where each slice's label goes: centred on its label point where there is
// room, beside the dish rather than on it, otherwise moved up or down along
// its side of the dish (and apart from
// the other side's labels at the top and bottom) so that no two labels
// overlap, all inside `allowed`. sizes: one per slice; a slice of no span or
// an empty size gets an empty rectangle.
QList<QRect> pieLabelRects(const Pie& pie, const QList<QSize>& sizes, const QRect& allowed);
// The point of a label's rectangle where its leader line ends.
QPointF leaderEnd(const QRectF& label, const QPointF& leaderStart);

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
