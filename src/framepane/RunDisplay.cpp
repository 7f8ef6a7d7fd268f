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
    if (QCoreApplication::instance()) {
        // A caller with an application without widgets: there is nothing to draw with.
        std::fputs("DrawDibOpen function error\n", stderr);
        return;
    }
    static int argc = 1;
    static char name[] = "framepane";
    static char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    runWindow(words);
}
