#pragma once
// Where a register goes on A4 portrait paper, in millimetres: the title and
// print date, a ruled table with one record per row and a heading row on every
// page, and a page line at the foot. Rows that do not fit go on to the next
// page. Plain numbers, so the page breaks are tested without painting.

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
constexpr double kHeadingHeight = 11;
constexpr double kRowHeight = 7;
constexpr double kTableBottom = 277;
constexpr double kPageLineTop = 282;

// Rows that fit under the heading row of one page.
int rowsPerPage();
// At least one page, so an empty register still prints its headings.
int pageCount(int rows);
// The rows [first, first + count) on `page` (1-based).
std::pair<int, int> rowsOn(int page, int rows);
// Column edges across the printable width from the width each column needs
// for its longest text: all of it when the row fits, otherwise the widest
// columns (titles, names) give way first and short figures stay whole; room
// to spare goes to the widest column.
QList<QRectF> columns(const QList<double>& neededWidths);
// The rectangle of row `index` on its page (the heading row is index -1).
QRectF rowRect(int indexOnPage);

} // namespace RegisterLayout
