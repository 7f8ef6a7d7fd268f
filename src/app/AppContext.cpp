#include "AppContext.h"

#include "TimerService.h"

#include <QCoreApplication>

namespace {
AppContext::StartupValues g_startup;
TimerService* g_timers = nullptr;
Link* g_link = nullptr;
FrmScr* g_screen = nullptr;
QMap<int, QString> g_portOverrides;
} // namespace

namespace AppContext {

const StartupValues& startup()
{
    return g_startup;
}

void setStartup(const StartupValues& values)
{
    g_startup = values;
}

TimerService& timers()
{
    static QtTimerService programTimers;
    return g_timers ? *g_timers : programTimers;
}

void setTimers(TimerService* service)
{
    g_timers = service;
}

Link* link()
{
    return g_link;
}

void setLink(Link* link)
{
    g_link = link;
}

FrmScr* screen()
{
    return g_screen;
}

void setScreen(FrmScr* screen)
{
    g_screen = screen;
}

const QMap<int, QString>& portOverrides()
{
    return g_portOverrides;
}

void setPortOverrides(const QMap<int, QString>& overrides)
{
    g_portOverrides = overrides;
}

QString title()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("system") : name;
}

} // namespace AppContext
