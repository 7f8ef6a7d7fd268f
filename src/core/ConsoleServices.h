#pragma once
// What the whole console runs on, made once by the application and handed to
// the hubs: the clock and timers, the prompter, the runner of modal windows,
// the file chooser, where store failures are told, how the program ends, the
// program folder, the language table in use and the appearance's start-up values.
//
// Free functions that nobody can hand anything to (`Prompt::`, `programTimers()`,
// `ProgramFolder::`, `Texts`, `FileDialog::`, `ProgramEnd::`) read the services
// installed for the process. That is the one process-wide hook: the program
// installs its services at start, a test installs its own with one guard and
// gets the previous ones back when the guard goes.

#include <QString>
#include <QStringList>
#include <functional>
#include <map>

class Prompter;
class QDialog;
class QWidget;
class TimerService;

// Runs a modal window and returns its result: exec() in the program; tests answer here.
class DialogRunner
{
public:
    virtual ~DialogRunner() = default;
    virtual int run(QDialog& dialog) = 0;
};

// What a file chooser was asked.
struct FileRequest
{
    bool save = false;
    QString caption;
    QString dir;
    QString filter;
};

// Chooses a file: the desktop's dialog in the program, scripted answers in tests.
// An empty path is a cancel.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual QString choose(QWidget* parent, const FileRequest& request) = 0;
};

// Where a failure of a stored file goes when its caller does not take it.
class StoreFailures
{
public:
    virtual ~StoreFailures() = default;
    // The system's or the store's words (a file's path on a second line).
    virtual void failed(const QString& detail) = 0;
};

// The language table in use.
struct LanguageChoice
{
    QString file; // relative, names the language
    QString path; // the file read when it is not the program folder's
    QString note; // one line about a fallback; empty when the table was sound
};

// Values of the appearance row read once at start-up, for the shell's windows.
struct StartupValues
{
    QString function;    // `function` of the appearance row
    QString mainPicture; // `mianbmp`: main window picture under System/photo/
    QString logoPicture; // `logobmp`
};

struct ConsoleServices
{
    // Not owned. nullptr: QTimer, stderr with questions answered No, exec(), the desktop's file dialog.
    TimerService* timers = nullptr;
    Prompter* prompter = nullptr;
    DialogRunner* dialogs = nullptr;
    FileChooser* files = nullptr;
    // nullptr: told through the prompter, captioned with the program's name.
    StoreFailures* storeFailures = nullptr;
    // Ends the process with a code; empty: at once (tests record the code instead).
    std::function<void(int)> endProgram;
    // Work run first when the program ends through ProgramEnd::now, by owner.
    std::map<const void*, std::function<void()>> atEnd;

    QString folder;
    LanguageChoice language;
    StartupValues startup;
    // The folder of the last register export in this run.
    QString lastExportFolder;

    TimerService& clock() const;
    Prompter& prompts() const;
    void storeFailed(const QString& detail) const;
};

namespace Services {
// The services in use: the installed ones, else the program's defaults.
ConsoleServices& current();
// Not owned; nullptr restores the defaults. Returns the services it replaces (nullptr for the defaults).
ConsoleServices* install(ConsoleServices* services);

// Installs services for its own lifetime and gives the previous ones back.
class Scope
{
public:
    explicit Scope(ConsoleServices& services) : m_previous(install(&services)) {}
    ~Scope() { install(m_previous); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    ConsoleServices* m_previous;
};

} // namespace Services
