#include "framepane/RunDisplay.h"

#include "framepane/PlaybackWindow.h"

#include <QApplication>

#include <cstdio>

namespace {

void runWindow(const DisplayWords& words)
{
    DialogPrompter prompter;
    PlaybackSession session(words, prompter);
    PlaybackWindow window(session);
    prompter.setParent(&window);
    window.show();
    session.start();
    window.exec();
}

} // namespace

void runDisplay(const DisplayWords& words)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        runWindow(words);
        return;
    }
    // A caller with an application without widgets, or no display to reach (where making an
    // application would abort the caller's process): there is nothing to draw with.
    const bool displayNamed = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
                              qEnvironmentVariableIsSet("DISPLAY") ||
                              qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (QCoreApplication::instance() || !displayNamed) {
        std::fputs("DrawDibOpen function error\n", stderr);
        return;
    }
    static int argc = 1;
    static char name[] = "framepane";
    static char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    runWindow(words);
}
