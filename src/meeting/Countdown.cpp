#include "meeting/Countdown.h"

#include "core/TimerService.h"

Countdown::Countdown(TimerService& timers, int stepMs, RunsOut runsOut, QObject* parent)
    : QObject(parent), m_runsOut(runsOut), m_stepMs(stepMs)
{
    m_timer = timers.createTimer([this] { step(); });
}

Countdown::~Countdown() = default;

void Countdown::start()
{
    m_timer->start(m_stepMs);
}

void Countdown::stop()
{
    m_timer->stop();
    m_left = 0;
}

bool Countdown::isRunning() const
{
    return m_timer->isActive();
}

void Countdown::step()
{
    if (m_runsOut == RunsOut::StepAfterZero && m_left <= 0) {
        m_timer->stop();
        emit ranOut();
        return;
    }
    m_left = qMax(0, m_left - 1);
    emit stepped(m_left);
    if (m_runsOut == RunsOut::OnZero && m_left == 0) {
        m_timer->stop();
        emit ranOut();
    }
}
