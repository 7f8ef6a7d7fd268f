#pragma once
// Rounds that never reached their end: a vote or a sign-in cut off by a
// crash, a kill or the end of the program while it ran.
//
// A vote rewrites its motion's row with the running count every 500 ms, so a
// cut-off vote leaves a partial count that reads as a result. Its start is in
// the meeting's record without its end; that is how it is found. The motion
// gets back its last final result from the record (or the not-voted state when
// it had none), and the partial count stays in the record, marked interrupted.
//
// A sign-in keeps its arrivals in the journal (SignInJournal); a journal found
// at start-up is a sign-in that was cut off. The operator stores what was seen,
// marked interrupted, or discards it.

#include "meeting/SignInJournal.h"

#include <QList>
#include <QString>

namespace RoundRecovery {

struct InterruptedVote
{
    qint64 motionId = 0;
    QString motion;    // its title
    QString startedAt; // "%Y%m%d%H%M%S"
    QString partial;   // the count it had when it was cut off
    bool operator==(const InterruptedVote&) const = default;
};

// Closes the cut-off votes of one meeting database (relative path) in one
// transaction, at `at` ("%Y%m%d%H%M%S"). Empty when there were none, or when
// the record could not be read or written (reported by the store).
QList<InterruptedVote> closeInterruptedVotes(const QString& path, const QString& notVotedState,
                                             const QString& at);

// The texts a stored sign-in writes.
struct SignInMarks
{
    QString signedIn; // FrmManChe MsgScrView9
    QString absent;   // MsgScrView10
};

// Stores a journaled sign-in of the named meeting as interrupted: the units seen
// are signed in (after a normal sign-in's start every other unit is absent),
// the record and SignInRound say "interrupted", Mottag.SignIn follows. The
// number present; none when it could not be stored.
std::optional<int> storeInterruptedSignIn(const QString& meetingName, const SignInJournal::Round& round,
                                          const SignInMarks& marks, const QString& at);
// Empties the journal; the record keeps that a sign-in was cut off and dropped.
bool discardInterruptedSignIn(const QString& meetingName, const SignInJournal::Round& round,
                              const QString& at);

} // namespace RoundRecovery
