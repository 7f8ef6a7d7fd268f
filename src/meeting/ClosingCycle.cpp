#include "meeting/ClosingCycle.h"

#include "core/TimerService.h"
#include "link/Link.h"
#include "link/LinkTiming.h"

ClosingCycle::ClosingCycle(Link& link, TimerService& timers, void (Link::*cycleFinished)(),
                           Command controlEnd, int controlEndDelayMs, QObject* parent)
    : QObject(parent), m_link(link), m_controlEnd(controlEnd), m_controlEndDelayMs(controlEndDelayMs)
{
    m_limit = timers.createTimer([this] { finish(false); }, true);
    m_controlEndDelay = timers.createTimer(
        [this] {
            m_link.request(m_controlEnd);
            emit controlEnded();
        },
        true);
    connect(&m_link, cycleFinished, this, [this] { finish(true); });
}

ClosingCycle::~ClosingCycle() = default;

int ClosingCycle::limitMs() const
{
    return LinkTiming::closingLimitMs(m_link.unitCount(), m_link.sequencerInterval());
}

void ClosingCycle::close(const Command& closingWord)
{
    m_link.request(closingWord);
    m_limit->start(limitMs());
    m_waiting = true;
}

void ClosingCycle::finish(bool inTime)
{
    // A cycle that ends after the limit, or one nobody waits for, is none of ours.
    if (!m_waiting)
        return;
    m_waiting = false;
    m_limit->stop();
    emit closed(inTime);
}

void ClosingCycle::endControl()
{
    m_controlEndDelay->start(m_controlEndDelayMs);
}
