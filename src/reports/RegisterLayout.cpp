#include "reports/RegisterLayout.h"

#include <algorithm>
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

QList<QRectF> columns(const QList<double>& neededWidths)
{
    const double available = kRight - kLeft;
    QList<double> widths = neededWidths;
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (widths.isEmpty())
        return {};
    if (total <= available) {
        const auto widest = std::max_element(widths.begin(), widths.end());
        *widest += available - total;
    } else {
        // The largest cap under which the capped widths fit: narrow columns keep what they need.
        QList<double> sorted = widths;
        std::sort(sorted.begin(), sorted.end());
        double left = available;
        double cap = available / sorted.size();
        for (int i = 0; i < sorted.size(); ++i) {
            const double share = left / (sorted.size() - i);
            if (sorted[i] > share) {
                cap = share;
                break;
            }
            left -= sorted[i];
            cap = sorted[i];
        }
        for (double& width : widths)
            width = qMin(width, cap);
    }
    QList<QRectF> out;
    double x = kLeft;
    for (double width : widths) {
        out << QRectF(x, 0, width, 0);
        x += width;
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
