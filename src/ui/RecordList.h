#pragma once
// The console's record lists (meetings, motions, delegates): whole rows are
// chosen one at a time, cells are never edited in place, the last column takes
// the rest of the width.

class QTableView;

namespace RecordList {
void setUp(QTableView& list);
}
