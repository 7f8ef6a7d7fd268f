#pragma once
// The vote-result register of one meeting: the motions of one category with
// their split result strings. Categories:
//   1 motion votes, 2 elections, 3 scoring, 4 evaluations.
// A motion's kind and its voted state are recognised in every shipped table
// (MotionTable), so a language switch between meeting and register loses no
// motion. Elections list only election kinds (not every motion).
//
// Category 4's "show all" lists the voted motions only, like "show voted".

#include "meeting/VoteSession.h"
#include "prep/MotionTable.h"
#include "reports/RegisterTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Texts;

namespace VoteRegister {

constexpr int kCategories = 4;
constexpr int kResultFields = 11;
constexpr int kCandidateFields = 5;

// Only categories 1 and 2 print.
bool printable(int category);

// The headings of a category: "strYD"/"strQD" from `vote` (section FrmMeeVote), the rest from `page`.
RegisterTable emptyTable(int category, const Texts& page, const Texts& vote);

// The voting time as it is read, "2026-12-08 02:47:16"; empty for none.
QString shownTime(const QDateTime& at);

// The rows of a category from the motions in their stored order: running
// number, title, the result fields, the time (shown). `votedOnly` is "show voted".
// A motion voted more than once says how many rounds after its title (the row
// holds the last; the earlier results are in the meeting's EventLog).
QList<QStringList> rows(int category, const QList<Motion>& motions, bool votedOnly, const VoteTexts& texts,
                        const QHash<QString, int>& rounds = {});

enum class Outcome
{
    Done,
    NoDatabase,
    Failed
};
struct Motions
{
    Outcome outcome = Outcome::Done;
    QList<Motion> motions;
    QHash<QString, int> rounds; // ended votes by motion key, from the EventLog
};
// The caller passes the motion words it holds: reading them anew opens every language table.
Motions load(const QString& meetingName, const MotionWords& words);

} // namespace VoteRegister
