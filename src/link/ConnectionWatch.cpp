#include "link/ConnectionWatch.h"

#include "core/TimerService.h"
#include "link/Link.h"
#include "link/LinkTiming.h"

ConnectionWatch::ConnectionWatch(Link& link, TimerService& timers, QObject* parent)
    : QObject(parent), m_link(link)
{
    m_ticker = timers.createTimer([this] { setProgress(m_progress + 10 >= 100 ? 0 : m_progress + 10); });
    m_failure = timers.createTimer([this] { emit searchFailed(); }, true);
    connect(&m_link, &Link::controllerConnected, this, [this] {
        if (m_state == State::Searching)
            setState(State::Polling);
    });
    connect(&m_link, &Link::startupPollFinished, this, [this] {
        stopAt(State::Connected);
        emit connected();
    });
    connect(&m_link, &Link::controllerNotFound, this, [this] {
        stopAt(State::Failed);
        m_failure->start(0);
    });
    m_ticker->start(LinkTiming::kStatusProgressMs);
}

ConnectionWatch::~ConnectionWatch() = default;

bool ConnectionWatch::isWatching() const
{
    return m_ticker->isActive();
}

void ConnectionWatch::searchAgain()
{
    m_link.request(LinkMode::Search);
    setState(State::Searching);
    m_ticker->start(LinkTiming::kStatusProgressMs);
}

void ConnectionWatch::continueWithoutController()
{
    m_failure->stop();
    m_link.continueWithoutController();
    stopAt(State::WithoutController);
}

void ConnectionWatch::stopAt(State state)
{
    m_ticker->stop();
    setProgress(0);
    setState(state);
}

void ConnectionWatch::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void ConnectionWatch::setProgress(int percent)
{
    if (m_progress == percent)
        return;
    m_progress = percent;
    emit progressChanged(percent);
}
