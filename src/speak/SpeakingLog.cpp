#include "speak/SpeakingLog.h"

#include "core/TimerService.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/Link.h"

#include <algorithm>

using SpeechTable::ClosedBy;
using SpeechTable::OpenedBy;

SpeakingLog::SpeakingLog(Link& link, TimerService& timers, QObject* parent)
    : QObject(parent), m_link(link), m_timers(timers), m_control(link, this)
{
    connect(&link, &Link::frameReceived, this, &SpeakingLog::micEvent);
}

SpeakingLog::~SpeakingLog() = default;

void SpeakingLog::setMeeting(const QString& meetingName)
{
    m_databasePath = meetingName.isEmpty() ? QString() : Schema::meetingDatabasePath(meetingName);
}

void SpeakingLog::setLimit(int seconds)
{
    m_limit = qMax(0, seconds);
    for (auto& [unit, speech] : m_open)
        arm(unit, speech);
}

QString SpeakingLog::delegateAt(int unit) const
{
    if (m_databasePath.isEmpty())
        return {};
    // The delegate seated there now: the first of the unit in creation order.
    const auto rows = DbAccess::selectOnce(
        m_databasePath,
        QStringLiteral("select EmpName from Employees where cast(CellNo as integer) = ? order by id limit 1"),
        {unit});
    return rows && !rows->isEmpty() ? rows->first().text("EmpName") : QString();
}

void SpeakingLog::opened(int unit, OpenedBy by)
{
    if (unit < 1 || unit > Link::kHighestUnit || m_open.contains(unit))
        return;
    stopAwaiting(unit);
    m_retired.clear(); // never called from a timer's own callback
    OpenSpeech& speech = m_open[unit];
    speech.startMs = m_timers.now();
    speech.order = m_nextOrder++;
    speech.openedAt = QDateTime::currentDateTime();
    speech.delegate = delegateAt(unit);
    speech.by = by;
    arm(unit, speech);
}

void SpeakingLog::arm(int unit, OpenSpeech& speech)
{
    if (!speech.timer)
        speech.timer = m_timers.createTimer([this, unit] { timerFired(unit); }, true);
    speech.timer->stop();
    speech.warned = speech.over = false;
    if (m_limit <= 0)
        return;
    const qint64 elapsed = m_timers.now() - speech.startMs;
    const qint64 warnAt = qMax<qint64>(0, m_limit - kWarningSeconds) * 1000;
    speech.warned = elapsed >= warnAt;
    speech.timer->start(int(qMax<qint64>(0, (speech.warned ? m_limit * 1000 : warnAt) - elapsed)));
}

void SpeakingLog::timerFired(int unit)
{
    const auto found = m_open.find(unit);
    if (found == m_open.end())
        return;
    OpenSpeech& speech = found->second;
    if (!speech.warned) {
        speech.warned = true;
        speech.timer->start(int(qMax<qint64>(0, m_limit * 1000 - (m_timers.now() - speech.startMs))));
        emit warning(unit);
        return;
    }
    speech.over = true;
    emit timeUp(unit);
    if (!m_closeAtTimeUp || unit <= m_link.chairCount())
        return;
    m_control.closeAtTimeUp(unit);
    // The row is closed; the controller's microphone event should follow.
    auto& wait = m_awaitingClose[unit];
    wait = m_timers.createTimer(
        [this, unit] {
            stopAwaiting(unit);
            emit closeUnanswered(unit);
        },
        true);
    wait->start(kCloseAnswerMs);
}

void SpeakingLog::closed(int unit, ClosedBy by)
{
    const auto found = m_open.find(unit);
    if (found == m_open.end())
        return;
    const OpenSpeech& open = found->second;
    SpeechTable::Speech speech;
    speech.unit = unit;
    speech.delegate = open.delegate;
    speech.openedAt = open.openedAt;
    const qint64 elapsedMs = m_timers.now() - open.startMs;
    // The monotonic clock measures; the close time is the open time plus what was measured.
    speech.seconds = int((elapsedMs + 500) / 1000);
    speech.closedAt = open.openedAt.addMSecs(elapsedMs);
    speech.openedBy = open.by;
    speech.closedBy = by;
    // The close may come from this speech's own timer: the timer outlives its callback.
    retire(std::move(found->second.timer));
    m_open.erase(found);
    if (!m_databasePath.isEmpty() && !SpeechTable::append(m_databasePath, speech))
        emit writeFailed(unit);
}

void SpeakingLog::closedRange(int first, int last, ClosedBy by)
{
    for (int unit : openUnits())
        if (unit >= first && unit <= last)
            closed(unit, by);
}

void SpeakingLog::endMeeting()
{
    closedRange(1, Link::kHighestUnit, ClosedBy::EndOfMeeting);
    for (int unit = 1; unit <= Link::kHighestUnit; ++unit)
        stopAwaiting(unit);
}

QList<int> SpeakingLog::openUnits() const
{
    QList<std::pair<quint64, int>> byOrder;
    for (const auto& [unit, speech] : m_open)
        byOrder.append({speech.order, unit});
    std::sort(byOrder.begin(), byOrder.end());
    QList<int> units;
    for (const auto& entry : byOrder)
        units << entry.second;
    return units;
}

std::optional<qint64> SpeakingLog::remainingMs(int unit) const
{
    const auto found = m_open.find(unit);
    if (m_limit <= 0 || found == m_open.end())
        return std::nullopt;
    return qMax<qint64>(0, m_limit * 1000LL - (m_timers.now() - found->second.startMs));
}

SpeakingLog::Phase SpeakingLog::phase(int unit) const
{
    const std::optional<qint64> left = remainingMs(unit);
    if (!left || *left > kWarningSeconds * 1000)
        return Phase::Running;
    return *left > 0 ? Phase::Warning : Phase::Over;
}

void SpeakingLog::micEvent(const UnitFrame& frame)
{
    const int unit = frame.b2;
    if (frame.b0 != Commands::kClassMicEvent || unit < 1 || unit > Link::kHighestUnit)
        return;
    switch (frame.b1) {
    case Commands::kMicClosed:
    case Commands::kMicClosed2:
    case Commands::kMicClosed3:
        stopAwaiting(unit);
        closed(unit, ClosedBy::Unit);
        break;
    case Commands::kMicOpened:
    case Commands::kMicOpened2:
        opened(unit, OpenedBy::Unit);
        break;
    case Commands::kMicPriority:
        // The chairman's priority key closes every delegate microphone.
        for (int other = m_link.chairCount() + 1; other <= m_link.unitCount(); ++other)
            stopAwaiting(other);
        closedRange(m_link.chairCount() + 1, m_link.unitCount(), ClosedBy::Unit);
        opened(unit, OpenedBy::Unit);
        break;
    default:
        break;
    }
}

void SpeakingLog::stopAwaiting(int unit)
{
    const auto found = m_awaitingClose.find(unit);
    if (found == m_awaitingClose.end())
        return;
    retire(std::move(found->second));
    m_awaitingClose.erase(found);
}

void SpeakingLog::retire(std::unique_ptr<Timer> timer)
{
    if (!timer)
        return;
    timer->stop();
    m_retired.push_back(std::move(timer));
}
