#include "reports/RegisterLayout.h"

#include <numeric>

namespace RegisterLayout {

int rowsPerPage()
{
    return int((kTableBottom - kTableTop - kHeadingHeight) / kRowHeight);
}

int pageCount(int rows)
{
    return qMax(1, (rows + rowsPerPage() - 1) / rowsPerPage());
}

std::pair<int, int> rowsOn(int page, int rows)
{
    const int first = (page - 1) * rowsPerPage();
    if (page < 1 || first >= rows)
        return {qMax(0, qMin(first, rows)), 0};
    return {first, qMin(rowsPerPage(), rows - first)};
}

QList<QRectF> columns(const RegisterTable& table)
{
    const int total = std::accumulate(table.widths.begin(), table.widths.end(), 0);
    QList<QRectF> out;
    double x = kLeft;
    for (int width : table.widths) {
        const double w = total > 0 ? (kRight - kLeft) * width / total : 0;
        out << QRectF(x, 0, w, 0);
        x += w;
    }
    return out;
}

QRectF rowRect(int indexOnPage)
{
    if (indexOnPage < 0)
        return QRectF(kLeft, kTableTop, kRight - kLeft, kHeadingHeight);
    return QRectF(kLeft, kTableTop + kHeadingHeight + indexOnPage * kRowHeight, kRight - kLeft, kRowHeight);
}

} // namespace RegisterLayout
