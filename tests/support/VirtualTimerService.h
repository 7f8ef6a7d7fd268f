#pragma once
// Virtual time for tests: timers fire only when the test advances the clock,
// in due order, so a procedure of many seconds runs in microseconds.

#include "core/TimerService.h"

#include <functional>
#include <memory>
#include <vector>

class VirtualTimerService : public TimerService
{
public:
    std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout, bool singleShot = false) override;
    qint64 now() const override { return m_now; }

    // Fires every timer that falls due within the next `ms` milliseconds.
    void advance(qint64 ms);
    // Advances in steps of `stepMs` until `done` holds or `limitMs` has passed; true when done.
    bool advanceUntil(const std::function<bool()>& done, qint64 limitMs, qint64 stepMs = 10);

    struct State
    {
        std::function<void()> callback;
        bool singleShot = false;
        bool active = false;
        int interval = 0;
        qint64 due = 0;
        quint64 order = 0;
    };

private:
    friend class VirtualTimer;
    qint64 m_now = 0;
    quint64 m_nextOrder = 0;
    std::vector<std::weak_ptr<State>> m_timers;
};
