#pragma once
// What the application object keeps for the whole run and every page reads:
// the start-up values of the appearance row, the timer service, and the two
// long-lived objects pages reach through it (the conference link and the
// secondary screen). The application owns those objects; this only points.

#include <QMap>
#include <QString>

class Link;
class FrmScr;
class TimerService;

namespace AppContext {

struct StartupValues
{
    QString function;    // `function` of the appearance row
    QString mainPicture; // `mianbmp`: main window picture under System/photo/
    QString logoPicture; // `logobmp`
};

const StartupValues& startup();
void setStartup(const StartupValues& values);

// The program's QTimer service unless a test installed another.
TimerService& timers();
void setTimers(TimerService* service);

Link* link();
void setLink(Link* link);

FrmScr* screen();
void setScreen(FrmScr* screen);

// Device paths given with --port N=PATH, by port number.
const QMap<int, QString>& portOverrides();
void setPortOverrides(const QMap<int, QString>& overrides);

// Caption of the database layer's messages.
QString title();

} // namespace AppContext
