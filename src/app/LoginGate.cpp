#include "app/LoginGate.h"

#include "core/TimerService.h"
#include "data/PasswordHash.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"

namespace {
constexpr int kTickMs = 1000;
}

int LoginGate::waitAfter(int wrongTries)
{
    if (wrongTries < kFreeTries)
        return 0;
    const int doublings = qMin(wrongTries - kFreeTries, 15);
    return qMin(1000 << doublings, kLongestWaitMs);
}

LoginGate::LoginGate(TimerService& timers, QObject* parent)
    : QObject(parent), m_timer(timers.createTimer([this] { tick(); }))
{
}

LoginGate::~LoginGate() = default;

LoginGate::Answer LoginGate::tryPassword(const QString& typed)
{
    if (m_leftMs > 0)
        return Answer::Waiting;
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (!settings.load() || settings.Tag.isEmpty())
        return Answer::Damaged;
    if (PasswordHash::matches(settings.UserPass, typed)) {
        m_wrongTries = 0;
        if (PasswordHash::needsUpgrade(settings.UserPass)) {
            const QString upgraded = PasswordHash::hash(typed);
            if (!upgraded.isEmpty())
                settings.update({{QStringLiteral("UserPass"), upgraded}});
        }
        return Answer::Accepted;
    }
    m_leftMs = waitAfter(++m_wrongTries);
    if (m_leftMs > 0) {
        m_timer->start(kTickMs);
        emit waitChanged(secondsLeft());
    }
    return Answer::Wrong;
}

void LoginGate::tick()
{
    m_leftMs = qMax(0, m_leftMs - kTickMs);
    if (m_leftMs == 0)
        m_timer->stop();
    emit waitChanged(secondsLeft());
}
