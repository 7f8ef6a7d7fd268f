#pragma once
// The close of a sign-in or a vote, the same for both: the closing word goes
// out, the link polls every unit once more, and the procedure hears once that
// the cycle ended, or that its limit passed first (a lost controller must not
// keep a round open for ever). When the procedure has stored what it
// collected, ControlEnd follows after the procedure's delay.
//
//   close(word) -> the closing cycle ends, or the limit passes -> closed(inTime)
//   endControl() -> delay -> ControlEnd requested -> controlEnded()
//
// Every delay comes from LinkTiming.h through the timer service.

#include "link/Commands.h"

#include <QObject>
#include <memory>

class Link;
class Timer;
class TimerService;

class ClosingCycle : public QObject
{
    Q_OBJECT

public:
    // `cycleFinished`: the link's signal for this procedure's closing cycle;
    // `controlEnd`: the procedure's ControlEnd, sent `controlEndDelayMs` after endControl().
    ClosingCycle(Link& link, TimerService& timers, void (Link::*cycleFinished)(), Command controlEnd,
                 int controlEndDelayMs, QObject* parent = nullptr);
    ~ClosingCycle() override;

    // How long the closing cycle may take at the link's current pace.
    int limitMs() const;
    // Sends the closing word (SignInEnd, VoteEnd) and waits for the cycle or the limit.
    void close(const Command& closingWord);
    bool isWaiting() const { return m_waiting; }
    // Sends ControlEnd after the delay.
    void endControl();

signals:
    // Once per close(): true when the cycle ended, false when the limit passed first.
    void closed(bool inTime);
    void controlEnded();

private:
    void finish(bool inTime);

    Link& m_link;
    Command m_controlEnd;
    int m_controlEndDelayMs;
    bool m_waiting = false;
    // The wait for the closing cycle: timer 8 of the sign-in, timer 5 of the vote in the design.
    std::unique_ptr<Timer> m_limit;
    // The store -> ControlEnd: timer 7 of the sign-in, timer 6 of the vote.
    std::unique_ptr<Timer> m_controlEndDelay;
};
