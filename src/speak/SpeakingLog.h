#pragma once
// Who speaks and for how long. Each microphone is timed from the moment the
// console learns it opened: by its own SpeakerOn, or by a microphone event
// from the unit. Every open microphone has its own timer on the timer
// service: it warns 30 s before the speaking time runs out and calls time-up
// at the limit, where (with the switch on) the console closes a delegate's
// microphone through the same mailbox as the page's button. Chairman units
// are never closed that way.
//
// A closed microphone becomes a row of the meeting's speakers' log
// (SpeechTable), with the delegate found by unit number when it opened.
// A close for a microphone never seen open is ignored; a second open
// without a close keeps the first.

#include "speak/MicrophoneControl.h"
#include "speak/SpeechTable.h"

#include <QDateTime>
#include <QObject>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class Link;
class Timer;
class TimerService;
struct UnitFrame;

class SpeakingLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int kWarningSeconds = 30;
    // How long the controller may take to confirm a close at time-up.
    static constexpr int kCloseAnswerMs = 3000;

    enum class Phase
    {
        Running,
        Warning, // 30 s or less left
        Over     // the time is up
    };

    SpeakingLog(Link& link, TimerService& timers, QObject* parent = nullptr);
    ~SpeakingLog() override;

    // The meeting whose database takes the rows; empty writes nothing.
    void setMeeting(const QString& meetingName);
    // Seconds each speaker has, 0 for no limit; microphones already open are timed anew.
    void setLimit(int seconds);
    int limit() const { return m_limit; }
    void setCloseAtTimeUp(bool on) { m_closeAtTimeUp = on; }
    bool closesAtTimeUp() const { return m_closeAtTimeUp; }

    // The operator's hand on the microphones; its words reach the log.
    MicrophoneControl& control() { return m_control; }

    void opened(int unit, SpeechTable::OpenedBy by);
    void closed(int unit, SpeechTable::ClosedBy by);
    void closedRange(int first, int last, SpeechTable::ClosedBy by);
    // The meeting hub is left or the program ends: every open microphone is closed in the log.
    void endMeeting();

    // Open microphones, oldest first.
    QList<int> openUnits() const;
    bool isOpen(int unit) const { return m_open.contains(unit); }
    // Milliseconds left (never below 0), none without a limit or when the unit is not open.
    std::optional<qint64> remainingMs(int unit) const;
    Phase phase(int unit) const;

signals:
    void warning(int unit);
    void timeUp(int unit);
    // The controller did not confirm the close at time-up (said once per close).
    void closeUnanswered(int unit);
    // A row could not be written.
    void writeFailed(int unit);

private:
    struct OpenSpeech
    {
        qint64 startMs = 0;
        quint64 order = 0;
        QDateTime openedAt;
        QString delegate;
        SpeechTable::OpenedBy by = SpeechTable::OpenedBy::Console;
        std::unique_ptr<Timer> timer;
        bool warned = false;
        bool over = false;
    };

    void micEvent(const UnitFrame& frame);
    void arm(int unit, OpenSpeech& speech);
    void timerFired(int unit);
    QString delegateAt(int unit) const;
    void stopAwaiting(int unit);
    void retire(std::unique_ptr<Timer> timer);

    Link& m_link;
    TimerService& m_timers;
    MicrophoneControl m_control;
    QString m_databasePath;
    int m_limit = 0;
    bool m_closeAtTimeUp = false;
    quint64 m_nextOrder = 0;
    std::map<int, OpenSpeech> m_open;
    std::map<int, std::unique_ptr<Timer>> m_awaitingClose;
    std::vector<std::unique_ptr<Timer>> m_retired; // stopped, freed at the next open
};
