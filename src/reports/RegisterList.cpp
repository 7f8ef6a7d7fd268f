#include "reports/RegisterList.h"

#include "ui/RecordList.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>
#include <numeric>

namespace RegisterList {

namespace {
const int kNarrowestTitle = 200;

// The designed widths, widened where a heading or a cell would be cut; what that
// takes beyond the list's width is given back by the widest column (the title),
// down to a readable width.
void fitColumns(QTableWidget& list, const RegisterTable& table)
{
    const QFontMetrics heading(list.horizontalHeader()->font());
    const QFontMetrics cell(list.font());
    QList<int> widths;
    for (int c = 0; c < table.columnCount(); ++c) {
        int width = qMax(table.widths[c], heading.horizontalAdvance(table.headings[c]) + 16);
        for (const QStringList& row : table.rows)
            width = qMax(width, cell.horizontalAdvance(row.value(c)) + 12);
        widths << width;
    }
    const int excess =
        std::accumulate(widths.begin(), widths.end(), 0) - (list.width() - 2 * list.frameWidth());
    const auto widest = std::max_element(widths.begin(), widths.end());
    if (excess > 0 && widest != widths.end())
        *widest -= qBound(0, excess, qMax(0, *widest - kNarrowestTitle));
    for (int c = 0; c < widths.size(); ++c)
        list.setColumnWidth(c, widths[c]);
}
} // namespace

void setUp(QTableWidget& list, int rowHeight)
{
    RecordList::setUp(list);
    list.verticalHeader()->setDefaultSectionSize(rowHeight);
}

void setColumns(QTableWidget& list, const RegisterTable& table)
{
    list.setColumnCount(table.columnCount());
    list.setHorizontalHeaderLabels(table.headings);
    fitColumns(list, table);
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
    fitColumns(list, table);
}

} // namespace RegisterList
