#include "link/LineCheckProcedure.h"

#include "core/TimerService.h"
#include "link/Link.h"
#include "link/LinkTiming.h"

LineCheckProcedure::LineCheckProcedure(Link& link, TimerService& timers, QObject* parent)
    : QObject(parent), m_link(link), m_unitCount(qBound(0, link.unitCount(), Link::kHighestUnit))
{
    m_arming = timers.createTimer([this] { requestCycle(); }, true);
    m_ticker = timers.createTimer([this] { tick(); });
    m_closing = timers.createTimer([this] { close(); }, true);
    connect(&m_link, &Link::lineCycleFinished, this, &LineCheckProcedure::cycleFinished);
}

LineCheckProcedure::~LineCheckProcedure() = default;

bool LineCheckProcedure::isOnline(int unit) const
{
    return unit >= 1 && unit <= m_unitCount && m_link.unit(unit).online;
}

int LineCheckProcedure::onlineCount() const
{
    int count = 0;
    for (int unit = 1; unit <= m_unitCount; ++unit)
        count += isOnline(unit) ? 1 : 0;
    return count;
}

bool LineCheckProcedure::start()
{
    if (isRunning())
        return false;
    m_link.setSequencerPace(true);
    // Units that answered an earlier check must answer this one again.
    m_link.clearOnline();
    setProgress(0);
    setState(State::Arming);
    emit unitsChanged();
    m_arming->start(LinkTiming::kLineCheckCycleDelayMs);
    m_link.request(Commands::controlBegin());
    return true;
}

void LineCheckProcedure::requestCycle()
{
    // At the slow pace the sequencer's step falls due with this timer; a request
    // made before that step has sent ControlBegin would replace it, so wait a step.
    if (m_link.requestPending()) {
        m_arming->start(qMax(1, m_link.sequencerInterval()));
        return;
    }
    m_link.request(LinkMode::LinePoll);
    setState(State::Polling);
    m_ticker->start(LinkTiming::kLineCheckProgressMs);
}

void LineCheckProcedure::tick()
{
    setProgress(m_progress + 10 >= 100 ? 0 : m_progress + 10);
    emit unitsChanged();
}

void LineCheckProcedure::cycleFinished()
{
    // Another reader's cycle (or one a left window asked for) is none of ours.
    if (m_state != State::Polling)
        return;
    m_ticker->stop();
    setProgress(0);
    setState(State::Closing);
    emit unitsChanged();
    m_closing->start(LinkTiming::kLineCheckControlEndDelayMs);
}

void LineCheckProcedure::close()
{
    m_link.request(Commands::controlEnd());
    setState(State::Idle);
    emit finished();
}

void LineCheckProcedure::leave()
{
    m_arming->stop();
    m_ticker->stop();
    m_closing->stop();
    m_link.setSequencerPace(false);
    setState(State::Idle);
}

void LineCheckProcedure::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void LineCheckProcedure::setProgress(int percent)
{
    if (m_progress == percent)
        return;
    m_progress = percent;
    emit progressChanged(percent);
}
