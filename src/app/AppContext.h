#pragma once
// The start-up values of the appearance row that the shell's windows read:
// the application object reads them once, the main window and the connection
// status dialog take their pictures from them.

#include <QString>

namespace AppContext {

struct StartupValues
{
    QString function;    // `function` of the appearance row
    QString mainPicture; // `mianbmp`: main window picture under System/photo/
    QString logoPicture; // `logobmp`
};

const StartupValues& startup();
void setStartup(const StartupValues& values);

} // namespace AppContext
