#include "RecordList.h"

#include <QHeaderView>
#include <QTableWidget>

namespace RecordList {

void setUp(QTableWidget& list)
{
    list.horizontalHeader()->setStretchLastSection(true);
    list.verticalHeader()->hide();
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.setShowGrid(true);
}

} // namespace RecordList
