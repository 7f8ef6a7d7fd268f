#pragma once
// The application object: finds the program folder, reads the appearance row,
// chooses the language table, makes sure only one copy runs, then runs the
// main window; the program ends with it.

#include <QStringList>

class Application
{
public:
    // Exit code of the program. `arguments` as QCoreApplication::arguments().
    int run(const QStringList& arguments);
};
