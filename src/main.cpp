#include "app/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    Application application;
    {
        // No display needed yet: --help and --version must work anywhere.
        QCoreApplication commandLine(argc, argv);
        if (const std::optional<int> code = application.readCommandLine(QCoreApplication::arguments()))
            return *code;
    }
    if (application.wantsMinutes())
        return application.writeMinutes(argc, argv);
    QApplication qtApplication(argc, argv);
    return application.run();
}
