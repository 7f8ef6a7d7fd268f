#pragma once
// A motion, election or evaluation of one meeting as the program works with
// it. MotionTable is the one place that turns it into its stored row and back.
//
// The row keeps the kind, the base, the pass rule and the voted state as
// language texts. MotionWords recognises them in every shipped table, so a
// motion prepared under one language and voted under another keeps its
// meaning; what is written is the text of the table in use.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The seven kinds of vote, numbered as the controller's vote start and the
// language tables' VoteType1..7 (less one) number them.
enum class VoteKind
{
    MotionVote,     // yes, no, abstain
    OneOfThree,     // election: one of three candidates
    SeveralOfThree, // election: several of three
    OneOfFive,      // election: one of five
    SeveralOfFive,  // election: several of five
    Scoring,        // the mean of five scoring keys
    Evaluation      // satisfied, dissatisfied, fairly satisfied
};
inline constexpr int kVoteKinds = 7;

// 0..6 for a kind, -1 for none.
inline int kindNumber(std::optional<VoteKind> kind)
{
    return kind ? int(*kind) : -1;
}
inline std::optional<VoteKind> voteKind(int number)
{
    return number >= 0 && number < kVoteKinds ? std::optional(VoteKind(number)) : std::nullopt;
}

// What a motion vote's percentages are taken of.
enum class VoteBase
{
    Due,     // the expected delegates
    Present, // the delegates present
    Unknown  // a stored text no table knows: no percentages
};

struct Motion
{
    QString key; // its creation time, which also names its proposal file
    QString title;
    std::optional<VoteKind> kind; // none when no table knows the stored kind
    QString unknownKind;          // that stored text, shown as it is
    VoteBase base = VoteBase::Unknown;
    QString unknownBase;     // a stored base no table knows, kept until the operator picks one
    bool strictRule = false; // passes with more than the threshold, else with at least it
    int threshold = 0;       // percent
    bool timeLimit = false;
    int limitSeconds = 0;
    bool unpressedAbstains = false;
    bool showPercent = false;
    bool showPass = false; // the pass text by itself at the end of the vote
    bool liveDisplay = false;
    QString passWording; // put before the pass text
    QList<int> points;   // of the scoring keys 1..5; none for a motion vote
    bool voted = false;
    QDateTime votedAt;      // of the last count stored
    QString result;         // the stored result string, laid out by VoteCount
    QString proposalFile;   // relative to the meeting's folder
    QStringList candidates; // of an election, as many as were stored
    int seats = 1;          // how many an election elects
};

// The language texts a motion's row holds.
struct MotionWords
{
    QList<QStringList> kinds; // VoteType1..7 of every table, the one in use first
    QStringList dueBases;
    QStringList presentBases;
    QStringList strictRules;
    QStringList votedStates;
    // Written: the texts of the table in use.
    QString dueBase;
    QString presentBase;
    QString strictRule;
    QString lenientRule;
    QString notVoted; // of a motion made, or of one whose only vote was dropped

    std::optional<VoteKind> kindOf(const QString& text) const;
    // The kind in the table in use; a motion of no known kind keeps its stored text.
    QString kindText(const Motion& motion) const;

    // Sections FrmMeeMat, FrmMeeVote and Public of every shipped table.
    static MotionWords fromLanguageTables();
};
