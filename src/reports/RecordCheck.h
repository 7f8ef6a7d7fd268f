#pragma once
// Whether a meeting's tamper-evident record holds, and whether the figures
// stored beside it say what it says. One check for `--verify-meeting`, the
// vote register's record line and every printed register and minutes page.
//
// It reads both files without changing them (read-only connections; nothing
// is created) and compares:
// - the event chain with its anchor in the system database (data/EventLog.h):
//   a shorter or longer chain, another head or a missing table breaks it;
// - each motion's stored result with its last vote-end event;
// - each unit's stored attendance (Employees.sign and the last round's rows of
//   SignIn) with the last sign-in round's events, and Mottag.SignIn with that
//   round's present count plus the units signed in by hand after it.
// Stored figures older than the first event are "not covered", not broken;
// a meeting that holds votes or sign-ins while its record is empty is never
// intact. Attendance has no time of its own, so a sign-in stored while the
// record holds no sign-in round counts as not covered.

#include <QString>
#include <QStringList>

class Texts;

namespace RecordCheck {

struct Verdict
{
    enum class Outcome
    {
        Intact,
        Broken,
        Missing,   // the meeting has no database file
        Unreadable // a file or a table could not be read
    };
    Outcome outcome = Outcome::Intact;
    QString finding;    // key of section Public: "RecordIntact", "RecordEventsMissing", ...
    QStringList args;   // its %1, %2, ...
    int events = 0;     // events of the chain, up to a break
    QString head;       // SHA-256 of the last event (hex), empty without events
    int notCovered = 0; // stored figures older than the record
};

// Reads the meeting's files (program folder set) and judges them.
Verdict check(const QString& meetingName);

// The finding in the table of `texts` (section Public), with the figures not covered.
QString text(const Verdict& verdict, const Texts& texts);
// The same in the English built into the program, for the command line.
QString describe(const Verdict& verdict);
// The line printed on registers and minutes: the finding and the hash of the
// last event, so a paper copy can be held against the files later.
QString printedLine(const Verdict& verdict, const Texts& texts);
// 0 intact, 1 broken, 2 missing or unreadable.
int exitCode(const Verdict& verdict);

} // namespace RecordCheck
