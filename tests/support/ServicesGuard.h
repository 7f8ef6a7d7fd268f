#pragma once
// The services of one test: virtual time, a prompt recorder, scripted file
// answers and modal windows, and the program's end recorded instead of done.
// Installed for the guard's lifetime; the services before it come back when it
// goes, so no test leaves a hook behind.

#include "core/ConsoleServices.h"
#include "support/PromptRecorder.h"
#include "support/VirtualTimerService.h"

#include <QList>

class ServicesGuard : public ConsoleServices
{
public:
    ServicesGuard();
    ~ServicesGuard();
    ServicesGuard(const ServicesGuard&) = delete;
    ServicesGuard& operator=(const ServicesGuard&) = delete;

    // The next file choosers return these paths in order (an empty one, or none left, is a cancel).
    void answerFiles(const QStringList& paths);
    // What the file choosers were asked since the last take.
    QList<FileRequest> takeFileRequests();
    // Modal windows run through `run` (it returns the window's result); none: exec().
    void runDialogs(std::function<int(QDialog&)> run);

    PromptRecorder prompts;
    VirtualTimerService virtualClock;
    QList<int> programEnds;

private:
    class Files : public FileChooser
    {
    public:
        QString choose(QWidget* parent, const FileRequest& request) override;
        QStringList answers;
        QList<FileRequest> requests;
    };
    class Dialogs : public DialogRunner
    {
    public:
        int run(QDialog& dialog) override { return m_run(dialog); }
        std::function<int(QDialog&)> m_run;
    };

    Files m_files;
    Dialogs m_dialogs;
    Services::Scope m_scope;
};
