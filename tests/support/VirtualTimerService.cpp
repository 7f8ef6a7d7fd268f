#include "support/VirtualTimerService.h"

#include <algorithm>

class VirtualTimer : public Timer
{
public:
    VirtualTimer(VirtualTimerService& service, std::shared_ptr<VirtualTimerService::State> state)
        : m_service(service), m_state(std::move(state))
    {
    }
    void start(int intervalMs) override
    {
        m_state->interval = std::max(intervalMs, 0);
        m_state->due = m_service.m_now + std::max(intervalMs, 1);
        m_state->order = m_service.m_nextOrder++;
        m_state->active = true;
    }
    void stop() override { m_state->active = false; }
    bool isActive() const override { return m_state->active; }
    int interval() const override { return m_state->interval; }

private:
    VirtualTimerService& m_service;
    std::shared_ptr<VirtualTimerService::State> m_state;
};

std::unique_ptr<Timer> VirtualTimerService::createTimer(std::function<void()> onTimeout, bool singleShot)
{
    auto state = std::make_shared<State>();
    state->callback = std::move(onTimeout);
    state->singleShot = singleShot;
    m_timers.push_back(state);
    return std::make_unique<VirtualTimer>(*this, state);
}

void VirtualTimerService::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    for (;;) {
        std::erase_if(m_timers, [](const std::weak_ptr<State>& timer) { return timer.expired(); });
        std::shared_ptr<State> next;
        for (const auto& weak : m_timers) {
            auto state = weak.lock();
            if (!state || !state->active || state->due > target)
                continue;
            if (!next || state->due < next->due || (state->due == next->due && state->order < next->order))
                next = state;
        }
        if (!next)
            break;
        m_now = next->due;
        if (next->singleShot) {
            next->active = false;
        } else {
            next->due += std::max(next->interval, 1);
            next->order = m_nextOrder++;
        }
        auto callback = next->callback; // the callback may destroy its own timer
        callback();
    }
    m_now = target;
}

bool VirtualTimerService::advanceUntil(const std::function<bool()>& done, qint64 limitMs, qint64 stepMs)
{
    for (qint64 spent = 0; spent < limitMs; spent += stepMs) {
        if (done())
            return true;
        advance(stepMs);
    }
    return done();
}
