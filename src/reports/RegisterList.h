#pragma once
// A register's list on screen: the record-list style, the designed column
// widths widened where a heading or a cell would be cut, and the rows with their
// centred columns.

#include "reports/RegisterTable.h"

class QTableWidget;

namespace RegisterList {

void setUp(QTableWidget& list, int rowHeight);
// Headings and widths of `table`.
void setColumns(QTableWidget& list, const RegisterTable& table);
// The rows of `table`, replacing those shown.
void showRows(QTableWidget& list, const RegisterTable& table);

} // namespace RegisterList
