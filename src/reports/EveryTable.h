#pragma once
// Stored values that are language texts (sign-in marks, the voted state) are
// recognised in every shipped table, so a language switch between the
// meeting and its registers loses no row.

#include <QString>
#include <QStringList>
#include <utility>

namespace EveryTable {

// The non-empty texts of these section/key pairs in the table in use and in each shipped table.
QStringList texts(const QList<std::pair<const char*, const char*>>& keys);

} // namespace EveryTable
