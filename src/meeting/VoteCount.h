#pragma once
// The vote's arithmetic without state: counting the units' key bits for each
// of the seven kinds, the result strings that the motion's row stores (read
// back by the result display and the registers, so their layout is fixed
// field by field), the field-list rule and the countdown text.
//
// The motion comes typed (MotionTable recognises its stored language texts);
// a base no table knows gives 0.00 %.

#include "prep/Motion.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace VoteCount {

constexpr int kKinds = 7;
constexpr int kKeys = 5;
constexpr int kMaxFields = 5;

// Kinds 2 and 4 count every set bit; the others count a single key only.
enum class Counting
{
    Exact,
    PerBit
};
Counting counting(int kind);

struct Counts
{
    std::array<int, kKeys> keys{}; // keys 1..5
    int none = 0;                  // units with no key
    bool operator==(const Counts&) const = default;
};
// voteKeys of units 1..unitCount. In an exact kind a unit with two or more
// keys is counted nowhere.
Counts count(int kind, const QList<int>& voteKeys);

// The pass texts of the table in use.
struct Rules
{
    QString passYes; // PassVoteOk
    QString passNo;  // PassVoteNo
};

struct Outcome
{
    QString result;   // the stored result string; empty for an unknown kind
    QString passText; // kinds 0 and 6: the pass wording + PassVoteOk / PassVoteNo
    bool passed = false;
    int abstain = 0;   // kinds 0 and 6: key 3, with the unpressed when they count as abstaining
    int unpressed = 0; // kinds 0 and 6: present minus keys 1..3, never below 0
    std::array<double, 3> percent{};
    double mean = 0; // kind 5
    bool operator==(const Outcome&) const = default;
};

// The result of one count. `due` and `present` are the meeting's figures; the
// motion gives the kind's settings (base, rule, threshold, unpressed keys, pass
// wording, points). A denominator of 0 gives 0.00 % and the pass rule is taken on 0.00.
Outcome outcome(int kind, const Counts& counts, int due, int present, const Motion& motion,
                const Rules& rules);

// "倒计时:" and the minutes and seconds, each at least two digits ("倒计时:01:04").
QString countdownText(int seconds);

// The elected of an election (kinds 1..4) from its stored result, 0-based:
// the candidates with the most votes, up to `seats` (the motion's number to
// elect). A candidate without a vote is never elected. Candidates tied for the
// last seat are none of them marked, so fewer than `seats` may be: the count
// does not choose between them (a second round does); those above the tie are.
QList<int> elected(int kind, const QString& result, int seats);
// The candidates with `mark` after each elected name ("Ana (elected)", "Bo").
QStringList markElected(int kind, const QStringList& candidates, const QString& result, int seats,
                        const QString& mark);

} // namespace VoteCount
