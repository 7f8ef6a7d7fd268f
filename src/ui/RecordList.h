#pragma once
// The console's record lists (meetings, motions, delegates): whole rows are
// chosen one at a time, cells are never edited in place, the last column takes
// the rest of the width.

#include <QStringList>

class QAbstractItemModel;
class QTableView;

namespace RecordList {
void setUp(QTableView& list);
// A list that shows a shared model under this view's own headings.
void setUp(QTableView& list, QAbstractItemModel& model, const QStringList& headings);
} // namespace RecordList
