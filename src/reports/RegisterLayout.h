#pragma once
// Where a register goes on A4 portrait paper, in millimetres: the title and
// print date, a ruled table with one record per row and a heading row on every
// page, and a page line at the foot. A long text wraps inside its cell (up to
// three lines), so rows differ in height; a row that does not fit goes on to
// the next page whole. Plain numbers, so the page breaks are tested without
// painting.

#include <QList>
#include <QRectF>

namespace RegisterLayout {

constexpr double kPageWidth = 210;
constexpr double kPageHeight = 297;
constexpr double kLeft = 15;
constexpr double kRight = 195;
constexpr double kTitleTop = 12;
constexpr double kSubjectTop = 24;
constexpr double kTableTop = 34;
constexpr double kHeadingHeight = 11.2; // two lines
constexpr double kLineHeight = 4.2;     // one line of 9 pt text
constexpr double kRowPadding = 2.8;
constexpr int kMostLines = 3;
constexpr double kTableBottom = 277;
constexpr double kPageLineTop = 282;
constexpr double kRecordLineTop = 288; // the record's state and last hash, two lines of 7 pt at most

// The height of a row whose fullest cell has `lines` lines (at most kMostLines).
double rowHeight(int lines);
// One-line rows that fit under the heading row of one page.
int rowsPerPage();

struct Page
{
    int first = 0;
    int count = 0;
    bool operator==(const Page&) const = default;
};
// The rows of each page in order, for rows of these heights. At least one
// page, so an empty register still prints its headings.
QList<Page> paginate(const QList<double>& rowHeights);
// Column edges across the printable width from the width each column needs
// for its longest text: all of it when the row fits; room to spare goes to the
// widest column. When the row does not fit, every column keeps at least its
// longest word (`leastWidths`, so no word breaks inside) and what is left is
// shared in proportion to what each still lacks; where even the words do not
// fit, the widest columns (titles, names) give way first and short figures
// stay whole.
QList<QRectF> columns(const QList<double>& neededWidths, const QList<double>& leastWidths = {});

} // namespace RegisterLayout
