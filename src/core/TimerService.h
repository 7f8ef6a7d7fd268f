#pragma once
// Time for the link sequencer and every multi-step procedure (start-up, line
// check, sign-in, vote, camera). The program runs on QTimer; tests advance a
// virtual clock, so a whole vote runs in milliseconds and no test sleeps.

#include <QtGlobal>
#include <functional>
#include <memory>

class Timer
{
public:
    virtual ~Timer() = default;
    // Starts or restarts: fires every intervalMs, or once for a single-shot timer.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
};

class TimerService
{
public:
    virtual ~TimerService() = default;
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout, bool singleShot = false) = 0;
    // Monotonic milliseconds.
    virtual qint64 now() const = 0;
};

// The clock of the services in use (ConsoleServices): QTimer, unless a test's
// services hold its virtual clock. Long-lived objects take it at construction
// and hand it on.
TimerService& programTimers();
// Sets the clock of the services in use; not owned, nullptr for QTimer.
void installTimers(TimerService* service);

class QtTimerService : public TimerService
{
public:
    QtTimerService();
    std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout, bool singleShot = false) override;
    qint64 now() const override;

private:
    qint64 m_origin;
};
