#pragma once
// The arrivals of a running sign-in, written as they are seen, each look at
// the units in its own small transaction, so a crash loses nothing that was
// seen. It is a table of our own in the meeting database, created when
// missing: one start row (CellNo "0") and one row per arrival. The ended
// sign-in empties it in the transaction that stores the attendance; rows
// found at the next start are a sign-in that was interrupted.

#include "meeting/AttendanceTable.h"

#include <optional>

class DbAccess;

class SignInJournal
{
public:
    void setPath(const QString& path) { m_path = path; }
    QString path() const { return m_path; }

    // A new sign-in: whatever an earlier one left goes, the start row is
    // written. False when the meeting database cannot be written.
    bool open(const QString& startAt, bool supplementary);
    bool note(const QList<Arrival>& arrivals);

    struct Round
    {
        QString startAt;
        bool supplementary = false;
        QList<Arrival> arrivals;
    };
    // The journaled sign-in; none when the journal is empty or could not be read.
    static std::optional<Round> find(const QString& path);
    // Empties the journal on `db`, inside the caller's transaction.
    static bool clear(DbAccess& db);

private:
    QString m_path;
};
