#pragma once
// One line check without its window: ControlBegin, one poll of every unit at
// the slow pace, ControlEnd. The window only shows what this class reports.
//
// The pattern for every procedure that drives the link (sign-in and voting
// follow it):
// - it is built from Link& and the TimerService and owns its timers; every
//   delay comes from LinkTiming.h, so tests run it in virtual time;
// - it has an explicit State, and every change of state, progress or unit
//   table is a signal: the page refreshes on signals and holds no protocol;
// - the end of the link's poll cycle comes from the Link's signal;
// - leave() stops its timers; what it already requested runs out in the sequencer.

#include <QObject>
#include <memory>

class Link;
class Timer;
class TimerService;

class LineCheckProcedure : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Idle,    // nothing running; start() may be called
        Arming,  // ControlBegin asked for; the line cycle follows
        Polling, // the line cycle runs; progress moves
        Closing, // the cycle ended; ControlEnd follows
    };
    Q_ENUM(State)

    // The check covers the units 1..unitCount that the link has now.
    LineCheckProcedure(Link& link, TimerService& timers, QObject* parent = nullptr);
    ~LineCheckProcedure() override;

    // Starts one check (slow pace, online flags cleared, ControlBegin); false while one runs.
    bool start();
    // The operator leaves: timers stop, the sequencer returns to the normal pace,
    // and ControlEnd is not sent. No finished().
    void leave();

    State state() const { return m_state; }
    bool isRunning() const { return m_state != State::Idle; }
    // 0..90 in steps of 10 while polling; it shows activity, not the fraction done.
    int progress() const { return m_progress; }

    int unitCount() const { return m_unitCount; }
    bool isOnline(int unit) const;
    int onlineCount() const;
    int offlineCount() const { return m_unitCount - onlineCount(); }

signals:
    void stateChanged(LineCheckProcedure::State state);
    void progressChanged(int percent);
    // The online flags may have changed: refresh what shows them.
    void unitsChanged();
    // ControlEnd has been asked for; the check is over.
    void finished();

private:
    void setState(State state);
    void setProgress(int percent);
    void requestCycle();
    void tick();
    void cycleFinished();
    void close();

    Link& m_link;
    int m_unitCount = 0;
    State m_state = State::Idle;
    int m_progress = 0;
    std::unique_ptr<Timer> m_arming;  // ControlBegin -> line cycle: timer 1 in the design
    std::unique_ptr<Timer> m_ticker;  // progress and refresh: timer 2
    std::unique_ptr<Timer> m_closing; // cycle done -> ControlEnd: timer 3
};
