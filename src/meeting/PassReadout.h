#pragma once
// The chair's question while a motion vote or an evaluation runs: how many
// more yes votes would carry it, or whether that is already settled. Shown on
// the console only, never in the hall.
//
// It reads the same rule as the stored result (VoteCount): the yes share of
// the base against the threshold, strictly greater under the strict rule, at
// least otherwise. The base is fixed during a vote and a pressed key stays counted,
// so the yes share can only grow, by at most the units that have not pressed
// (present minus keys 1..3). Counting the unpressed as abstaining moves only
// the abstentions and never changes the verdict.

#include "meeting/VoteCount.h"

#include <QString>

namespace PassReadout {

enum class Verdict
{
    NotShown,   // a kind without a pass rule
    Needs,      // passes if `more` further units vote yes
    CannotPass, // even every unit still silent voting yes would not carry it
    Passed      // carried whatever the rest do
};

struct Reading
{
    Verdict verdict = Verdict::NotShown;
    int more = 0; // for Needs: at least 1
    bool operator==(const Reading&) const = default;
};

Reading read(int kind, const VoteCount::Counts& counts, int due, int present, const Motion& motion);

// The line in the operator's language; `needsOne` and `needs` ("%1" for the number).
struct Phrases
{
    QString needsOne;
    QString needs;
    QString cannotPass;
    QString passed;
};
QString line(const Reading& reading, const Phrases& phrases);

} // namespace PassReadout
