#include "reports/RegisterLayout.h"

#include <algorithm>
#include <numeric>

namespace RegisterLayout {

double rowHeight(int lines)
{
    return kRowPadding + qBound(1, lines, kMostLines) * kLineHeight;
}

int rowsPerPage()
{
    return int((kTableBottom - kTableTop - kHeadingHeight) / rowHeight(1));
}

QList<Page> paginate(const QList<double>& rowHeights)
{
    QList<Page> pages{Page{}};
    double y = kTableTop + kHeadingHeight;
    for (int i = 0; i < rowHeights.size(); ++i) {
        if (y + rowHeights[i] > kTableBottom + 1e-9 && pages.last().count > 0) {
            pages << Page{i, 0};
            y = kTableTop + kHeadingHeight;
        }
        ++pages.last().count;
        y += rowHeights[i];
    }
    return pages;
}

QList<QRectF> columns(const QList<double>& neededWidths, const QList<double>& leastWidths)
{
    const double available = kRight - kLeft;
    QList<double> widths = neededWidths;
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (widths.isEmpty())
        return {};
    QList<double> least;
    for (int c = 0; c < widths.size(); ++c)
        least << qMin(widths[c], leastWidths.value(c, widths[c]));
    const double leastTotal = std::accumulate(least.begin(), least.end(), 0.0);
    if (total <= available) {
        const auto widest = std::max_element(widths.begin(), widths.end());
        *widest += available - total;
    } else if (leastTotal <= available && leastTotal < total) {
        const double share = (available - leastTotal) / (total - leastTotal);
        for (int c = 0; c < widths.size(); ++c)
            widths[c] = least[c] + (widths[c] - least[c]) * share;
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

} // namespace RegisterLayout
