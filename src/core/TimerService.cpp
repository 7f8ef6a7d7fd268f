#include "core/TimerService.h"

#include "core/ConsoleServices.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

namespace {

class QtTimer : public Timer
{
public:
    QtTimer(std::function<void()> onTimeout, bool singleShot)
    {
        m_timer.setSingleShot(singleShot);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [callback = std::move(onTimeout)] { callback(); });
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};

} // namespace

QtTimerService::QtTimerService()
{
    QElapsedTimer clock;
    clock.start();
    m_origin = clock.msecsSinceReference();
}

std::unique_ptr<Timer> QtTimerService::createTimer(std::function<void()> onTimeout, bool singleShot)
{
    return std::make_unique<QtTimer>(std::move(onTimeout), singleShot);
}

qint64 QtTimerService::now() const
{
    QElapsedTimer clock;
    clock.start();
    return clock.msecsSinceReference() - m_origin;
}

TimerService& programTimers()
{
    return Services::current().clock();
}

void installTimers(TimerService* service)
{
    Services::current().timers = service;
}
