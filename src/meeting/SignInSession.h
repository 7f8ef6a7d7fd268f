#pragma once
// The sign-in of a meeting as a procedure without widgets. It arms the units,
// has the link poll them while the sign-in runs, counts the figures with the
// quorum test, and when the operator (or the countdown) ends it, waits for one
// closing poll cycle and stores the attendance. Its page only shows what the
// signals say and forwards the buttons.
//
//   Idle -> Arming      ControlBegin; 1 s; SignInStart (or SupplementSignInStart)
//        -> Collecting  2 s later: endless poll cycles, figures every second, countdown
//        -> Closing     SignInEnd and one closing cycle (with a limit, see closingLimitMs)
//        -> Writing     attendance in one transaction, then Mottag.SignIn; 500 ms
//        -> Idle        ControlEnd
//
// Every delay comes from LinkTiming.h through the timer service, so a test runs
// a whole sign-in in virtual time. The close and the countdown are the vote's
// too (ClosingCycle, Countdown).

#include "link/Link.h"
#include "meeting/AttendanceTable.h"
#include "meeting/ClosingCycle.h"
#include "meeting/Countdown.h"
#include "meeting/SignInCount.h"
#include "meeting/SignInJournal.h"
#include "prep/MeetingTable.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class MeetingState;
class Timer;
class TimerService;

// The language-table texts the procedure stores or hands to the hall screen.
struct SignInTexts
{
    QString signedInMark;     // MsgScrView9: stored in Employees.sign and SignIn
    QString absentMark;       // MsgScrView10
    QString quorumReached;    // MsgScrView5
    QString quorumMissed;     // MsgScrView6
    QString dueLabel;         // IDC_STATIC_YDAO
    QString presentLabel;     // IDC_STATIC_YJDAO
    QString absentLabel;      // IDC_STATIC_WDAO
    QString signInTitle;      // ScrText1 (FrmScrText)
    QString signInHint;       // ScrText2
    QString endTitle;         // ScrText3
    QString endHint;          // ScrText4
    QString supplementTitle;  // ScrText5
    QString closingCycleLost; // MsgClosingLost: the closing cycle did not end in time
    QString notWritable;      // MsgNotWritable: the meeting database cannot be written (%1 why)
    QString lineLost;         // MsgLineLost: not started while the controller is lost
    QString notStored;        // MsgNotStored: "The attendance was NOT stored: %1"

    // Sections FrmManChe and FrmScrText of the language table in use.
    static SignInTexts fromLanguageTable();
};

class SignInSession : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Idle,
        Arming,
        Collecting,
        Closing,
        Writing
    };
    Q_ENUM(State)

    SignInSession(Link& link, TimerService& timers, MeetingState& meetingState, SignInTexts texts,
                  QObject* parent = nullptr);
    ~SignInSession() override;

    // The meeting whose attendance is taken: its due number, legal ratio and
    // name; the delegates' names are read here, once.
    void setMeeting(const Meeting& meeting);
    // Wall clock for the arrival times (tests pin it).
    void setWallClock(std::function<QDateTime()> now) { m_wallClock = std::move(now); }

    State state() const { return m_state; }
    bool isRunning() const { return m_state != State::Idle; }
    // The last sign-in was ended (manual sign-in is possible from Idle then).
    bool hasEnded() const { return m_ended; }
    // After an ended sign-in, and while one collects (for a delegate whose key fails).
    bool canSignInManually() const
    {
        return (m_state == State::Idle && m_ended) || m_state == State::Collecting;
    }
    const SignInCount::Figures& figures() const { return m_figures; }
    QString quorumText() const { return m_quorumText; }
    QString countdownText() const { return SignInCount::countdownText(m_countdown.left()); }
    bool countdownOn() const { return m_countdownOn; }
    // The delegate at unit n, empty when none.
    QString delegateName(int unit) const { return m_names.value(unit); }
    QStringList names(SignInCount::NameList which) const;
    // How long the closing cycle may take at the link's current pace.
    int closingLimitMs() const;
    // Whether the last ended sign-in's attendance reached the database.
    bool lastStored() const { return m_stored; }
    // An ended sign-in kept in memory: its store failed, or no unit answered during it.
    bool isHeld() const { return m_held; }
    // A unit answered since the sign-in started.
    bool heardAnyUnit() const;

public slots:
    // False (and nothing happens) unless Idle.
    bool start();
    bool startSupplementary();
    // False unless collecting.
    bool end();
    // Manual sign-in of unit 1..unitCount; false (nothing sent) otherwise.
    // The unit counts only if it answers its query in time; then it gets its
    // confirmation. While one collects, the query and the confirmation take
    // slots of the poll cycle, and the unit stays signed in for this sign-in
    // whatever its failing key reports.
    bool signInUnit(int unit);
    // Stores the held sign-in again (after the reason was mended, or when the
    // operator wants a sign-in no unit answered stored after all).
    bool storeAgain();
    // Drops the held sign-in: the earlier attendance stays.
    void discardHeld();
    // Taken when collection begins. A countdown of 0 with the switch on ends the
    // sign-in as soon as collection begins.
    void setCountdown(bool on, int seconds);

signals:
    void stateChanged(SignInSession::State state);
    // "%s:%s" minutes and seconds: the time left with a countdown, else the time
    // collecting has run; "00:00" when idle.
    void countdownChanged(const QString& text);
    void figuresChanged(const SignInCount::Figures& figures, const QString& quorumText);
    // A unit of the grid changed between signed in and not.
    void unitChanged(int unit, bool signedIn);
    // For the hall screen: two lines, or the table of figures (field lists).
    void screenLines(const QString& first, const QString& second);
    void screenFigures(const QString& title, const QString& values, const QString& labels);
    // One failure the operator must hear about.
    void message(const QString& text);
    // A journal write failed while the sign-in runs (the store's words): told once per sign-in,
    // which goes on.
    void storeFailed(const QString& words);
    // Back in Idle after ControlEnd; `stored` says whether the attendance was written.
    void finished(bool stored);
    // The ended sign-in is held, not stored: `reason` is the store's words, or
    // empty when no unit answered during it (the page asks whether to store it).
    void held(const QString& reason);

private:
    static constexpr int kHighestCountdown = 24 * 3600 - 1;

    bool begin(bool supplementary);
    void setState(State state);
    void armed();
    void collect();
    void refresh();
    void countdownStep(int left);
    void closed(bool inTime);
    void store();
    bool write();
    void controlEnded();
    void confirmManual();

    // Grid changes since the last look, and the first sighting of each unit.
    void lookAtUnits(const QString& how);
    // Count and display: figures, screen output, Mottag.SignIn once ended.
    void countAndShow(bool screen);
    QString now() const;

    Link& m_link;
    MeetingState& m_meetingState;
    SignInTexts m_texts;
    Meeting m_meeting;
    AttendanceTable m_table;
    QHash<int, QString> m_names;
    std::function<QDateTime()> m_wallClock;

    State m_state = State::Idle;
    bool m_supplementary = false;
    bool m_ended = false;
    bool m_stored = false;
    bool m_countdownOn = false;
    int m_countdownSeconds = 0;
    int m_manualUnit = 0;
    int m_elapsedMs = 0; // collecting without a countdown
    SignInCount::Figures m_figures;
    QString m_quorumText;
    std::vector<bool> m_shown; // per unit, what the grid shows
    std::vector<bool> m_seen;  // per unit, seen signed in within this sign-in
    QList<int> m_byHand;       // signed in by hand while polling: kept whatever the poll reads
    QList<Arrival> m_arrivals;
    QString m_startedAt;
    SignInJournal m_journal;
    qsizetype m_journaled = 0; // arrivals already in the journal
    LineMark m_mark;           // the line when the sign-in started
    bool m_held = false;
    QStringList m_heldMarks;
    SignInRoundRecord m_heldRound;
    bool m_roundWritten = false; // the held round's attendance is written; the meeting's count may not be
    QString m_heldReason;        // the store's words; empty when no unit answered

    QString m_writeFailure;     // the store's words for the last failed write of the round
    bool m_failureTold = false; // storeFailed was sent in this sign-in

    std::unique_ptr<Timer> m_startWordDelay;  // ControlBegin -> SignInStart: timer 5 (supplementary: 6)
    std::unique_ptr<Timer> m_collectionDelay; // start word -> the endless cycle: timer 1
    std::unique_ptr<Timer> m_refresh;         // grid and figures while collecting: timer 2
    std::unique_ptr<Timer> m_queryAnswer;     // a manual sign-in's single query: timer 3
    Countdown m_countdown;                    // timer 10
    ClosingCycle m_closing;                   // its limit: timer 8; ControlEnd: timer 7
};
