#include "reports/RegisterList.h"

#include "ui/RecordList.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>
#include <numeric>

namespace RegisterList {

namespace {
const int kNarrowestTitle = 200;
}

void setUp(QTableWidget& list, int rowHeight)
{
    RecordList::setUp(list);
    list.verticalHeader()->setDefaultSectionSize(rowHeight);
}

void setColumns(QTableWidget& list, const RegisterTable& table)
{
    list.setColumnCount(table.columnCount());
    list.setHorizontalHeaderLabels(table.headings);
    const QFontMetrics metrics(list.horizontalHeader()->font());
    QList<int> widths;
    for (int c = 0; c < table.columnCount(); ++c)
        widths << qMax(table.widths[c], metrics.horizontalAdvance(table.headings[c]) + 16);
    // What the headings took is given back by the widest column (the title), down to a readable width.
    const int excess =
        std::accumulate(widths.begin(), widths.end(), 0) - (list.width() - 2 * list.frameWidth());
    const auto widest = std::max_element(widths.begin(), widths.end());
    if (excess > 0 && widest != widths.end())
        *widest -= qBound(0, excess, qMax(0, *widest - kNarrowestTitle));
    for (int c = 0; c < widths.size(); ++c)
        list.setColumnWidth(c, widths[c]);
}

void showRows(QTableWidget& list, const RegisterTable& table)
{
    list.setRowCount(int(table.rows.size()));
    for (int r = 0; r < table.rows.size(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) {
            auto* item = new QTableWidgetItem(table.rows[r].value(c));
            if (table.centred.value(c))
                item->setTextAlignment(Qt::AlignCenter);
            list.setItem(r, c, item);
        }
}

} // namespace RegisterList
