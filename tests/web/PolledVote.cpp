#include "web/PolledVote.h"

#include "core/TimerService.h"
#include "link/Commands.h"
#include "support/SimulatorProcess.h"
#include "web/HallState.h"
#include "web/WebCrowd.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

PolledVote::PolledVote(int units)
    : m_units(units), m_hall(units, 1, programTimers()), m_link(m_hall.pipeFactory())
{
    QObject::connect(&m_link, &Link::frameSent, [this](quint32 word) {
        if ((word >> 16) != Commands::kClassPoll)
            return;
        const qint64 at = WebCrowd::nowNs();
        const int unit = int(word & 0xFF);
        if (m_lastPollAt && unit == m_lastPolled + 1)
            m_spacing.push_back((at - m_lastPollAt) / 1e6);
        m_lastPolled = unit;
        m_lastPollAt = at;
    });
}

PolledVote::~PolledVote()
{
    m_link.stop();
}

bool PolledVote::start(int timeoutMs)
{
    m_link.start(1, 1, m_units, 1);
    if (!runEventsUntil([&] { return m_link.operatingMode() == LinkMode::Idle && m_link.linkConnected(); },
                        timeoutMs))
        return false;
    m_link.request(*Commands::voteStart(0));
    if (!runEventsUntil([&] { return m_hall.model().voteOpen(); }, timeoutMs))
        return false;
    m_link.request(LinkMode::VotePoll);
    m_spacing.clear();
    return runEventsUntil([&] { return m_link.voteCycleActive(); }, timeoutMs);
}

int PolledVote::step(HallState* state)
{
    QList<int> units;
    for (int i = 0; i < 3 && m_pressed < m_units; ++i)
        units.append(++m_pressed);
    if (!units.isEmpty())
        m_hall.press(units, 1 + m_pressed % 3);
    const int number = int(m_stepAt.size());
    int counts[3] = {};
    for (int unit = 1; unit <= m_units; ++unit)
        for (int key = 0; key < 3; ++key)
            counts[key] += (m_link.unit(unit).voteKeys >> key) & 1;
    const qint64 at = WebCrowd::nowNs();
    m_stepAt.push_back(at);
    if (!state)
        return number;
    state->setHeading(QStringLiteral("#%1").arg(number), Qt::white);
    state->setChart(QStringLiteral("Due:Present:Yes:No:Abstain:Unpressed:"),
                    QStringLiteral("%1:%1:%2:%3:%4:%5:")
                        .arg(m_units)
                        .arg(counts[0])
                        .arg(counts[1])
                        .arg(counts[2])
                        .arg(m_units - counts[0] - counts[1] - counts[2]),
                    Qt::white);
    m_callMs.push_back(double(WebCrowd::nowNs() - at) / 1e6);
    return number;
}

void PolledVote::run(int ms, int stepMs, HallState* state)
{
    QEventLoop loop;
    QTimer steps;
    steps.setTimerType(Qt::PreciseTimer);
    QObject::connect(&steps, &QTimer::timeout, [&] { step(state); });
    steps.start(stepMs);
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double shareWithin(const std::vector<double>& spacing, double designed, double tolerance)
{
    if (spacing.empty())
        return 0;
    const auto within = std::count_if(spacing.begin(), spacing.end(), [&](double ms) {
        return std::abs(ms - designed) <= designed * tolerance;
    });
    return double(within) / double(spacing.size());
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}
