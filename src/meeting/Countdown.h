#pragma once
// The time limit of a sign-in or a vote: whole seconds, one step a second,
// each step one second less. It runs out on the step that reaches zero (a
// vote), or one step after it, so that 00:00 stays up for a second (a sign-in).

#include <QObject>
#include <memory>

class Timer;
class TimerService;

class Countdown : public QObject
{
    Q_OBJECT

public:
    enum class RunsOut
    {
        OnZero,
        StepAfterZero
    };

    Countdown(TimerService& timers, int stepMs, RunsOut runsOut, QObject* parent = nullptr);
    ~Countdown() override;

    // The seconds left; set before start() (shown before the first step).
    void set(int seconds) { m_left = seconds; }
    int left() const { return m_left; }
    void start();
    // Stops stepping; nothing is left.
    void stop();
    bool isRunning() const;

signals:
    void stepped(int left);
    void ranOut();

private:
    void step();

    RunsOut m_runsOut;
    int m_stepMs;
    int m_left = 0;
    std::unique_ptr<Timer> m_timer; // timer 10 of the sign-in, timer 1 of the vote
};
