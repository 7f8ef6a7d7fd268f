#pragma once
// Motions, elections and evaluations of one meeting: the rows of Overture in
// the meeting's database. What a row stores depends on its kind of vote; the
// kind rules live in MotionSettings so the page and the tests share them.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct MotionRecord
{
    QString OveName;
    QString OveType;
    QString VoteBase;
    QString VoteAbet;
    QString VoteAbetValue;
    QString VoteTimelRes;
    QString VoteTimelValue;
    QString Unit;
    QString ViewPer;
    QString ViewPass;
    QString VoteDll;
    QString ytText;
    QString VoteState;
    QString insertdate; // the motion key
    QString result;
    QString PollTimel;
    QString rtf;
    QString mark;
    QString candidate;
    QString factresult1;
    QString factresult2;
    QString factresult3;
    // The number to elect of an election: column Seats, added to Overture by
    // this program when first stored (1 where the file has none).
    int seats = 1;
};

class MotionTable
{
public:
    // Longest title and extra text the table holds.
    static constexpr int kTitleLength = 250;
    static constexpr int kExtraTextLength = 30;

    void setPath(const QString& path) { m_path = path; }
    // The database of the named meeting.
    void setMeeting(const QString& meetingName);
    QString path() const { return m_path; }

    // Every motion in creation order; none when the table could not be read.
    std::optional<QList<MotionRecord>> all();
    // The motion with this title; none when there is none or it could not be read.
    std::optional<MotionRecord> find(const QString& title);

    // Titles, kinds and voting states of all motions, in creation order; false
    // when the table could not be read (the lists are then empty).
    bool loadList();
    QStringList titles;
    QStringList kinds;
    QStringList states;

    // Fills the record from the motion with this title; false when there is none.
    bool load(const QString& title);
    bool exists(const QString& title);
    bool keyExists(const QString& key);
    bool insert();
    // Inserts the record under a free motion key (set into the record), one that
    // names no proposal file yet in the meeting's folder.
    bool create(const QString& meetingKey);
    // Changes the settings of the record's key; mark, state, candidates and
    // proposal stay as they are.
    bool update();
    bool remove(const QString& title);
    // By the motion's key: titles may repeat.
    bool setCandidates(const QString& key, const QString& list);
    bool setProposal(const QString& key, const QString& file);
    // The number to elect, by the motion's key; adds the column when missing.
    bool setSeats(const QString& key, int seats);

    MotionRecord record;

private:
    bool execute(const QString& sql, const QVariantList& values);
    QString m_path;
};

// The controls of the motion page, as the operator set them.
struct MotionSettings
{
    int kind = 0;     // vote kind 0..6
    QString kindText; // the kind's display text
    QString baseText; // the chosen base
    QString ruleText; // the chosen pass-rate rule
    QString rate;     // pass rate in percent
    bool timeLimit = false;
    QString seconds;
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

// Kind of a stored kind text among the seven display texts; -1 when unknown.
int kindOf(const QString& kindText, const QStringList& kindTexts);

// The stored fields of the settings (title, key and state are left alone).
// `systemMark` is the settings row's points of the five scoring keys.
void fill(MotionRecord& record, const MotionSettings& settings, const QString& systemMark);

// A pass rate the kind can use: kind 0 needs a whole number 0 to 100.
bool isRateValid(const MotionSettings& settings);

} // namespace MotionRules
