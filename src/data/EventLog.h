#pragma once
// A tamper-evident record of what the sign-in and vote procedures stored, in
// the table EventLog of the meeting database (created when missing). Each row
// holds the SHA-256 of its own content together with the previous row's hash,
// so editing or deleting a row breaks the chain at that row. Rows are appended
// inside the caller's transaction, so an event is stored exactly when the data
// it records is.
//
// A chain proves nothing against someone who rewrites every row after the one
// they changed; it catches the hand edit of a stored figure.

#include <QString>
#include <optional>

class DbAccess;

namespace EventLog {

// Event kinds as stored.
inline const QString kSignInStarted = QStringLiteral("signin-start");
inline const QString kSignInEnded = QStringLiteral("signin-end");
inline const QString kUnitSignedIn = QStringLiteral("signin-unit");
inline const QString kVoteStarted = QStringLiteral("vote-start");
inline const QString kVoteEnded = QStringLiteral("vote-end");
// A round that never reached its end: what it had counted, kept apart from the results.
inline const QString kVoteInterrupted = QStringLiteral("vote-interrupted");
inline const QString kSignInInterrupted = QStringLiteral("signin-interrupted");

// Appends one event on `db`, which the caller holds in an open transaction.
// `at` is "%Y%m%d%H%M%S". False when the row could not be written.
bool append(DbAccess& db, const QString& kind, const QString& detail, const QString& at);

struct Check
{
    enum class Outcome
    {
        Intact,
        Broken,     // brokenRow is the id of the first row that does not fit
        NoDatabase, // the meeting has no database file
        Unreadable  // the file or the table could not be read
    };
    Outcome outcome = Outcome::Intact;
    int rows = 0;
    qint64 brokenRow = 0;
};
// Walks the chain of the database file (relative path). A file without the
// table has an empty, intact record.
Check verify(const QString& path);

// "record intact (N events)" or "record broken at row N" in English, for the command line.
QString describe(const Check& check);

} // namespace EventLog
