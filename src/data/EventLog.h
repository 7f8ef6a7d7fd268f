#pragma once
// A tamper-evident record of what the sign-in and vote procedures stored, in
// the table EventLog of the meeting database (created when missing). Each row
// holds the SHA-256 of its own content together with the previous row's hash,
// so editing or deleting a row breaks the chain at that row. Rows are appended
// inside the caller's transaction, so an event is stored exactly when the data
// it records is.
//
// The chain is anchored outside the meeting file: the table RecordAnchor of
// the system database keeps each meeting's number of events and the hash of
// its last one, written in the same transaction as the event (the system
// database is attached to the meeting's connection, see `connect`). A removed
// tail, an emptied or dropped table or a chain recomputed after an edit then
// no longer fits the anchor.
//
// What this proves: the chain is not keyed, so whoever holds both files can
// recompute the chain and the anchor together. The anchor and the printed
// hash of the last event make a forgery visible unless the meeting file, the
// system database and the paper are all forged together.
//
// Time stamps (`at`): "%Y%m%d%H%M%S" local time. Rows written before this
// was settled may hold the designed vote time "%Y/%m/%d/-%H:%M:%S" at a vote
// end; `append` takes either and stores the first, `timeOf` reads both.

#include <QDateTime>
#include <QList>
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

// Connects to a meeting database (relative path) with the system database
// attached, as every connection that appends events must be. False when
// either could not be opened (reported by DbAccess).
bool connect(DbAccess& db, const QString& meetingPath);

// Appends one event on `db` (made by `connect`), which the caller holds in an
// open transaction, and moves the meeting's anchor to it. False when a row
// could not be written.
bool append(DbAccess& db, const QString& kind, const QString& detail, const QString& at);

// Either stored form of `at`; invalid for anything else.
QDateTime timeOf(const QString& at);

struct Event
{
    qint64 id = 0;
    QString at;
    QString kind;
    QString detail;
    QString hash;
};

struct Chain
{
    enum class Status
    {
        Whole,
        Broken,     // brokenRow is the id of the first row that does not fit
        NoTable,    // the meeting file has no EventLog table
        Unreadable, // the file or the table could not be read
    };
    Status status = Status::Whole;
    QList<Event> events; // up to the break
    qint64 brokenRow = 0;
};
// Walks the chain on a connection open for reading.
Chain readChain(DbAccess& db);

struct Anchor
{
    int events = 0;
    QString head; // hash of the last event
};
// The anchor of a meeting in the system database, read without changing it.
// The outer optional is empty when the system database could not be read,
// the inner one when the table or the meeting's row is missing; `tableMissing`
// tells which.
std::optional<std::optional<Anchor>> readAnchor(const QString& meetingName, bool* tableMissing = nullptr);

// Creates RecordAnchor in the system database when missing. When it was
// missing (an installation from before anchors), the whole chains of the
// meetings in Data/ are anchored as they stand: they are protected from now on.
bool ensureAnchors();
// A meeting's database moved with its name, or was deleted or replaced.
bool renameAnchor(const QString& oldName, const QString& newName);
bool dropAnchor(const QString& meetingName);

} // namespace EventLog
