#pragma once
// Automatic copies of the databases, so a damaged file costs at most one
// round. At each start (before anything is written) the system database is
// copied, and after each stored sign-in or vote the system database and the
// meeting's. Copies go through SQLite's online backup API into Backup/ of the
// program folder, mirroring the file's place (Backup/System/SystemData-
// <time>.db, Backup/Data/<meeting>-<time>.db); the newest kKept of each file
// stay. A restore puts the newest copy in place of the whole file.
//
// A failed copy is told on stderr only: it must never stop or delay a round.

#include <QString>
#include <QStringList>

namespace Backup {

constexpr int kKept = 10;

// One copy of a database (relative path). False when it could not be made.
bool copy(const QString& databasePath);
void atStart();
void afterRound(const QString& meetingName);

// The copies of a database, newest first (full paths).
QStringList copies(const QString& databasePath);
// Replaces the database by its newest copy. False when there is none or it
// could not be put in place (the database is then as it was).
bool restoreLatest(const QString& databasePath);

} // namespace Backup
