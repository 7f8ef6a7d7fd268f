#pragma once
// One vote on one motion as a procedure without widgets. It arms the units
// with the kind's key mask, has the link poll them while the vote runs,
// counts the keys and rewrites the motion's row every 500 ms, and when the
// operator (or the countdown) ends it, waits for one closing poll cycle and
// stores the final result. Its page only shows what the signals say.
//
//   Idle -> Arming      ControlBegin (mode 10); 1 s; the kind's VoteStart; 1 s
//        -> Collecting  endless poll cycles (mode 11), count and row every 500 ms, countdown
//        -> Closing     VoteEnd and one closing cycle (with a limit, see closingLimitMs)
//        -> Finishing   final count and row; 500 ms
//        -> Idle        ControlEnd (mode 15)
//
// Every delay comes from LinkTiming.h through the timer service. The close and
// the countdown are the sign-in's too (ClosingCycle, Countdown).

#include "link/Link.h"
#include "meeting/ClosingCycle.h"
#include "meeting/Countdown.h"
#include "meeting/VoteCount.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"

#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class MeetingState;
class Timer;
class TimerService;

// The language-table texts the procedure stores, recognises or reports.
struct VoteTexts
{
    MotionWords words;        // the motion row's texts
    VoteCount::Rules rules;   // pass texts of the table in use
    QString votedState;       // DateYes: the voted state written
    QString logFirst;         // MsgLogFirst: no sign-in has ended
    QString kindUnknown;      // MsgKindUnknown: the stored kind is no known kind
    QString closingCycleLost; // MsgClosingLost: the closing cycle did not end in time
    QString electedMark;      // Public/MsgElected: after an elected candidate's name
    QString roundsText;       // FrmVoteput/MsgRounds: "%1 rounds" of a motion voted again
    QString notWritable;      // MsgNotWritable: the meeting database cannot be written (%1 why)
    QString lineLost;         // MsgLineLost: not started while the controller is lost
    QString notVotedState;    // DateNo: a motion whose only vote was dropped

    // Sections FrmMeeVote, FrmMeeMat and Public of the shipped tables.
    static VoteTexts fromLanguageTables();
};

class VoteSession : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Idle,
        Arming,
        Collecting,
        Closing,
        Finishing
    };
    Q_ENUM(State)

    enum class StartResult
    {
        Started,
        Busy,        // a vote runs already
        NoSignIn,    // no sign-in has ended (message: MsgLogFirst)
        UnknownKind, // the stored kind matches no kind text (message: MsgKindUnknown)
        NoMotion,    // the motion has no row in the meeting's database
        NotWritable, // the meeting's database cannot be written (message: MsgNotWritable)
        LineLost     // the controller was found lost and is being reopened (message: MsgLineLost)
    };
    Q_ENUM(StartResult)

    VoteSession(Link& link, TimerService& timers, MeetingState& meetingState, VoteTexts texts,
                QObject* parent = nullptr);
    ~VoteSession() override;

    // The meeting whose motions are voted; its due and present figures are
    // read again from Mottag at every start.
    void setMeeting(const Meeting& meeting);
    // Wall clock for the time of the count (tests pin it).
    void setWallClock(std::function<QDateTime()> now) { m_wallClock = std::move(now); }

    State state() const { return m_state; }
    bool isRunning() const { return m_state != State::Idle; }
    // The kind of the vote that runs or ran last, 0..6.
    int kind() const { return m_kind; }
    const Motion& motion() const { return m_motion; }
    const VoteCount::Counts& counts() const { return m_counts; }
    const VoteCount::Outcome& outcome() const { return m_outcome; }
    int due() const { return m_due; }
    int present() const { return m_present; }
    QString countdownText() const { return VoteCount::countdownText(m_countdown.left()); }
    // How long the closing cycle may take at the link's current pace.
    int closingLimitMs() const;
    // Whether the final result of the last vote reached the database.
    bool lastStored() const { return m_stored; }
    // An ended vote kept in memory: its final write failed, or no unit answered during it.
    bool isHeld() const { return m_held; }
    // A unit answered since the vote started.
    bool heardAnyUnit() const;
    // Units answered and the line was neither lost nor faulty since the vote started:
    // only then is the count a verdict the hall may see.
    bool countFromALiveLine() const;

public slots:
    // Starts a vote on `motion` with the operator's working settings (written
    // back to the row: all of them for kind 0, the time limit otherwise).
    // Nothing is sent unless Started.
    StartResult start(const Motion& motion);
    // False unless collecting.
    bool end();
    // Writes the held result again (after the reason was mended, or when the
    // operator wants a vote no unit answered stored after all).
    bool storeAgain();
    // Drops the held vote: the motion gets back its last final result.
    void discardHeld();

signals:
    void stateChanged(VoteSession::State state);
    // "倒计时:" + "%s:%s"; only with a time limit.
    void countdownChanged(const QString& text);
    // Each count: the running figures every 500 ms, then once with final = true.
    void resultChanged(const VoteCount::Outcome& outcome, bool final);
    // One refusal or failure the operator must hear about.
    void message(const QString& text);
    // A write of the running count failed (the store's words): told once per vote, which goes on.
    void storeFailed(const QString& words);
    // Back in Idle after ControlEnd; `stored` says whether the final row was written.
    void finished(bool stored);
    // The ended vote is held, not stored: `reason` is the store's words, or
    // empty when no unit answered during it (the page asks whether to store it).
    void held(const QString& reason);

private:
    static constexpr int kHighestCountdown = 24 * 3600 - 1;

    void setState(State state);
    void armed();
    void collect();
    void refresh();
    void closed(bool inTime);
    void finish();
    void controlEnded();

    void countKeys();
    bool writeRow(bool final);

    Link& m_link;
    MeetingState& m_meetingState;
    VoteTexts m_texts;
    Meeting m_meeting;
    std::function<QDateTime()> m_wallClock;

    State m_state = State::Idle;
    Motion m_motion;
    std::optional<qint64> m_rowId;
    int m_kind = 0;
    int m_due = 0;
    int m_present = 0;
    bool m_timeLimit = false;
    bool m_stored = false;
    LineMark m_mark; // the line when the vote started
    bool m_held = false;
    QString m_heldReason; // the store's words; empty when no unit answered

    bool m_failureTold = false; // storeFailed was sent in this vote
    VoteCount::Counts m_counts;
    VoteCount::Outcome m_outcome;

    std::unique_ptr<Timer> m_voteStartDelay;  // ControlBegin -> VoteStart: timer 2
    std::unique_ptr<Timer> m_collectionDelay; // VoteStart -> the endless cycle: timer 3
    std::unique_ptr<Timer> m_refresh;         // count and row while collecting: timer 4
    Countdown m_countdown;                    // timer 1
    ClosingCycle m_closing;                   // its limit: timer 5; ControlEnd: timer 6
};
