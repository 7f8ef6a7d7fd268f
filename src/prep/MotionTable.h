#pragma once
// Motions, elections and evaluations of one meeting: the rows of Overture in
// the meeting's database. The stored columns and their texts and "1"/"2" flags
// are known here only: everything else works with Motion. What a row stores
// depends on its kind of vote; the kind rules live in MotionRules so the page
// and the tests share them.

#include "prep/Motion.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <optional>

// Tells every list of motions that a meeting's motions changed: a row was
// added, changed (settings, candidates, proposal, a vote's settings or final
// result) or removed. The live count of a running vote is not announced.
class MotionChanges : public QObject
{
    Q_OBJECT
signals:
    // `path` is the meeting database's path as MotionTable::path() gives it.
    void changed(const QString& path);
};

class MotionTable
{
public:
    // Longest title and extra text the table holds.
    static constexpr int kTitleLength = 250;
    static constexpr int kExtraTextLength = 30;

    explicit MotionTable(MotionWords words = MotionWords::fromLanguageTables());

    void setPath(const QString& path) { m_path = path; }
    // The database of the named meeting.
    void setMeeting(const QString& meetingName);
    QString path() const { return m_path; }
    const MotionWords& words() const { return m_words; }

    // Every motion in creation order; none when the table could not be read.
    std::optional<QList<Motion>> all();
    // The motion with this title; none when there is none or it could not be read.
    std::optional<Motion> find(const QString& title);
    bool exists(const QString& title);
    bool keyExists(const QString& key);
    // A new row not yet voted, with the motion's key as given.
    bool insert(const Motion& motion);
    // Inserts the motion under a free key (set into it), one that names no
    // proposal file yet in the meeting's folder.
    bool create(Motion& motion, const QString& meetingKey);
    // Changes the title and settings of the motion's key; points, state,
    // candidates and proposal stay as they are.
    bool update(const Motion& motion);
    bool remove(const QString& title);
    // By the motion's key: titles may repeat.
    bool setCandidates(const QString& key, const QStringList& candidates);
    bool setProposal(const QString& key, const QString& file);
    // The number to elect, by the motion's key; adds the column when missing.
    bool setSeats(const QString& key, int seats);

    // A vote's writes, run by the vote on its own connection with its record of
    // events. Rows are found by id, not by title, since titles may repeat.
    struct Statement
    {
        QString sql;
        QVariantList values;
    };
    // The id of the motion's row: by its key, or by its title when it has no key.
    std::optional<qint64> rowId(const Motion& motion);
    // A motion vote writes all its settings back; the other kinds only the time limit.
    Statement voteSettings(qint64 id, const Motion& motion) const;
    // The result string with the voted state and the time of the count.
    static Statement voteResult(qint64 id, const QString& result, const QString& votedState,
                                const QDateTime& at);
    // The time of a count as the row stores it.
    static QString storedTime(const QDateTime& at);

    static MotionChanges& changes();
    // Tells the lists that the motions of `path` changed.
    static void announce(const QString& path);

private:
    bool execute(const QString& sql, const QVariantList& values);
    MotionWords m_words;
    QString m_path;
};

// The controls of the motion page, as the operator set them.
struct MotionSettings
{
    int kind = 0; // vote kind 0..6
    VoteBase base = VoteBase::Due;
    bool strictRule = true;
    QString rate; // pass rate in percent, as typed
    bool timeLimit = false;
    int seconds = 0;
    bool unpressedAbstains = false;
    bool showPercentages = false;
    bool showPass = false;
    bool dynamicDisplay = false;
    QString extraText;
    int seats = 1; // the number to elect (elections)
};

namespace MotionRules {

// Which settings a kind keeps.
bool keepsBase(int kind);        // 0 and 6
bool keepsRule(int kind);        // 0: rule, rate, unpressed counts, show pass, extra text
bool keepsPercentages(int kind); // 0 and 6
bool keepsDynamic(int kind);     // 0 and 6
// Candidate dialog mode of a kind: 1 to 4 for the elections, 0 for none.
int candidateMode(int kind);
// How many candidates an election kind offers (3 or 5); 0 for the other kinds.
int candidateCount(int kind);

// The settings into the motion (title, key, state and candidates are left
// alone); what a kind does not keep is cleared. `systemPoints` are the
// settings row's points of the five scoring keys.
void fill(Motion& motion, const MotionSettings& settings, const QList<int>& systemPoints);

// A pass rate the kind can use: kind 0 needs a whole number 0 to 100.
bool isRateValid(const MotionSettings& settings);

} // namespace MotionRules
