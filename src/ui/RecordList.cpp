#include "ui/RecordList.h"

#include <QHeaderView>
#include <QTableView>

namespace RecordList {

void setUp(QTableView& list)
{
    list.horizontalHeader()->setStretchLastSection(true);
    list.verticalHeader()->hide();
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.setShowGrid(true);
    list.setWordWrap(false); // one line per record; long texts are cut with an ellipsis
}

} // namespace RecordList
