#include "app/Application.h"

#include "app/FolderLock.h"
#include "app/FrmMain.h"
#include "app/InterruptedRounds.h"
#include "app/SingleInstance.h"
#include "core/ConsoleServices.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/TimerService.h"
#include "data/Backup.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "reports/Minutes.h"
#include "reports/RecordCheck.h"
#include "speak/SpeechTable.h"
#include "training/TrainingFolder.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/PageBuilder.h"
#include "ui/Skin.h"
#include "web/WebView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <cstdio>

namespace {

// $XDG_DATA_HOME/conference-console: the program folder of last resort, and the home of the training folder.
QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/conference-console");
}

QStringList seedTrees(const QString& executableDir)
{
    return {QDir(executableDir).absoluteFilePath(QStringLiteral("../share/conference-console")),
            QStringLiteral(CONSOLE_SHARE_INSTALL_DIR), QStringLiteral(CONSOLE_SHARE_SOURCE_DIR)};
}

// "--port 3=/dev/pts/5" options, by port number; a malformed one is an error.
bool parsePorts(const QStringList& values, QMap<int, QString>& ports, QString& error)
{
    for (const QString& value : values) {
        const int equals = value.indexOf(QLatin1Char('='));
        bool ok = false;
        const int number = value.left(equals).toInt(&ok);
        if (equals <= 0 || !ok || number < 1 || equals == value.size() - 1) {
            error = QStringLiteral("Bad --port value \"%1\": expected N=PATH with N from 1").arg(value);
            return false;
        }
        ports.insert(number, value.mid(equals + 1));
    }
    return true;
}

} // namespace

std::optional<int> Application::readCommandLine(const QStringList& arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("system"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CONSOLE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Conference console: runs a meeting on the delegate units.\n\n"
                       "--verify-meeting checks the meeting's event chain against its anchor in the system\n"
                       "database and the stored results and attendance against the chain, without changing\n"
                       "a file. Exit code 0: intact; 1: broken; 2: no such meeting file, unreadable, or a\n"
                       "usage error. The chain is not keyed: whoever holds the files can recompute it. The\n"
                       "anchor and the hash printed on the registers make such a forgery visible unless the\n"
                       "meeting file, the system database and the paper are all forged together."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Program folder to use."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Device path of serial port N (repeatable)."),
                                        QStringLiteral("N=PATH"));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify-meeting"),
        QStringLiteral("Check the event record of meeting NAME (a file of Data/) and exit: 0 intact, 1 "
                       "broken, 2 missing, unreadable or usage error."),
        QStringLiteral("NAME"));
    const QCommandLineOption trainingOption(
        QStringLiteral("training"),
        QStringLiteral(
            "Rehearse with a simulated hall instead of the controller; meeting data goes to a copy "
            "of the program folder."));
    const QCommandLineOption webPortOption(
        QStringLiteral("web-port"),
        QStringLiteral("Port of the web view for this run, instead of the one in the settings."),
        QStringLiteral("PORT"));
    parser.addOption(rootOption);
    parser.addOption(portOption);
    parser.addOption(verifyOption);
    const QCommandLineOption minutesOption(
        QStringLiteral("minutes"),
        QStringLiteral("Write the minutes of meeting NAME to the PDF file given after it, and exit."),
        QStringLiteral("NAME"));
    parser.addOption(trainingOption);
    parser.addOption(minutesOption);
    parser.addPositionalArgument(QStringLiteral("OUT.pdf"),
                                 QStringLiteral("The minutes' file (with --minutes)."),
                                 QStringLiteral("[OUT.pdf]"));
    parser.addOption(webPortOption);
    if (!parser.parse(arguments) || parser.values(rootOption).size() > 1) {
        std::fprintf(stderr, "%s\n",
                     parser.values(rootOption).size() > 1 ? "--root may be given once"
                                                          : qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("system %s\n", CONSOLE_VERSION);
        return 0;
    }

    QString error;
    if (!parsePorts(parser.values(portOption), m_ports, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    m_root = parser.value(rootOption);
    m_training = parser.isSet(trainingOption);
    if (parser.isSet(webPortOption)) {
        bool ok = false;
        m_webPort = parser.value(webPortOption).toInt(&ok);
        if (!ok || m_webPort < 1 || m_webPort > 65535) {
            std::fprintf(stderr, "Bad --web-port value \"%s\": expected 1 to 65535\n",
                         qPrintable(parser.value(webPortOption)));
            return 2;
        }
    }
    if (parser.isSet(verifyOption))
        return verifyMeeting(parser.value(verifyOption));
    if (parser.isSet(minutesOption)) {
        if (parser.positionalArguments().size() != 1) {
            std::fprintf(stderr, "--minutes NAME needs the PDF file to write: --minutes NAME OUT.pdf\n");
            return 2;
        }
        m_minutesMeeting = parser.value(minutesOption);
        m_minutesPath = parser.positionalArguments().first();
    }
    return std::nullopt;
}

QString Application::chooseProgramFolder(QString& error) const
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    return ProgramFolder::choose({m_root, executableDir, dataHome(), seedTrees(executableDir)}, &error);
}

bool Application::useProgramFolder() const
{
    // A check or an export never creates or fills a program folder.
    const QString folder =
        ProgramFolder::existing({m_root, QCoreApplication::applicationDirPath(), dataHome(), {}});
    if (folder.isEmpty()) {
        std::fprintf(stderr, "no program folder (with System/) at %s\n",
                     qPrintable(m_root.isEmpty() ? dataHome() : m_root));
        return false;
    }
    ProgramFolder::set(folder);
    return true;
}

int Application::verifyMeeting(const QString& name) const
{
    // A meeting name is a file name of Data/: no path may lead elsewhere.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String("..")) {
        std::fprintf(stderr, "--verify-meeting takes a meeting name, not a path: %s\n", qPrintable(name));
        return 2;
    }
    if (!useProgramFolder())
        return 2;
    const RecordCheck::Verdict verdict = RecordCheck::check(name);
    std::printf("%s: %s\n", qPrintable(name), qPrintable(RecordCheck::describe(verdict)));
    const int code = RecordCheck::exitCode(verdict);
    if (code != 0)
        return code;
    // The speakers' log is checked against the entries written with its rows.
    const SpeechTable::Check speeches = SpeechTable::check(Schema::meetingDatabasePath(name));
    if (speeches.outcome == SpeechTable::Check::Outcome::Intact)
        return 0;
    std::printf("%s: %s\n", qPrintable(name), qPrintable(SpeechTable::describe(speeches)));
    return 1;
}

int Application::writeMinutes(int& argc, char** argv) const
{
    // No window opens: the offscreen platform gives the fonts without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication gui(argc, argv);
    if (!useProgramFolder())
        return 1;
    Schema::ensureSystemDatabase();
    AppearanceTable appearance;
    useStoredLanguage(appearance, &AppearanceTable::load);
    QString detail;
    if (Minutes::write(m_minutesMeeting, m_minutesPath, &detail) != Minutes::Outcome::Written) {
        std::fprintf(stderr, "system: %s\n", qPrintable(detail));
        return 1;
    }
    return 0;
}

bool Application::useStoredLanguage(AppearanceTable& appearance, bool (AppearanceTable::*readRow)())
{
    appearance.setPath(Schema::kSystemDatabase);
    const bool read = QFile::exists(ProgramFolder::filePath(Schema::kSystemDatabase)) &&
                      (appearance.*readRow)() && !appearance.borderism.isEmpty();
    // Without the language code the texts are English, never empty.
    LanguageTable::use(LanguageTable::fileForCode(read ? appearance.borderism : QStringLiteral("1")),
                       seedTrees(QCoreApplication::applicationDirPath()));
    return read;
}

int Application::run()
{
    QString error;
    const QString folder = chooseProgramFolder(error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // What the whole run works with: QTimer, message boxes, exec(), the desktop's file dialog.
    MessageBoxPrompter prompter;
    ConsoleServices services;
    services.prompter = &prompter;
    const Services::Scope installed(services);
    ProgramFolder::set(folder);
    QApplication::setWindowIcon(Skin::programIcon());
    // Combo boxes report their label to screen readers, not the item they show.
    PageBuilder::nameComboBoxesByLabel();

    // Texts for the refusals below. Another console may hold the system database and be
    // writing it: peek, and take English rather than stop on a box nobody expects.
    {
        DbFailures quiet;
        AppearanceTable stored;
        useStoredLanguage(stored, &AppearanceTable::peek);
    }
    const Texts texts(QStringLiteral("Public"));
    const auto refuse = [&](const QString& text) {
        std::fprintf(stderr, "system: %s\n", qPrintable(text));
        Prompt::information(Prompt::caption(), text);
    };
    const auto tookOver = [&](const QString& lockPath) {
        std::fprintf(stderr, "system: %s\n",
                     qPrintable(texts(QStringLiteral("LockTakenOver")).arg(lockPath)));
    };
    SingleInstance instance(QStringLiteral("reform"));
    switch (instance.claim(folder)) {
    case SingleInstance::Outcome::First:
        break;
    case SingleInstance::Outcome::TookOverBroken:
        tookOver(instance.lockPath());
        break;
    case SingleInstance::Outcome::ActivatedOther:
        // A second start never opens a folder of its own: the running console stays on its folder.
        if (!m_root.isEmpty() && !instance.otherFolder().isEmpty() &&
            QFileInfo(instance.otherFolder()).canonicalFilePath() != QFileInfo(folder).canonicalFilePath())
            refuse(texts(QStringLiteral("NotOpened")).arg(instance.otherFolder(), folder));
        return 0;
    case SingleInstance::Outcome::OtherNotFound:
        Prompt::information(Prompt::caption(), texts(QStringLiteral("RunErr")));
        return 1;
    case SingleInstance::Outcome::CheckFailed:
        Prompt::information(Prompt::caption(), texts(QStringLiteral("RunErr1")));
        return 1;
    }
    // One program folder, one console, whoever runs it.
    FolderLock folderLock(folder);
    switch (folderLock.claim()) {
    case FolderLock::Outcome::Taken:
        break;
    case FolderLock::Outcome::TookOverBroken:
        tookOver(folderLock.path());
        break;
    case FolderLock::Outcome::Held: {
        const FolderLock::Holder holder = folderLock.holder();
        refuse(texts(QStringLiteral("FolderHeld"))
                   .arg(folder, holder.host, holder.user,
                        holder.since.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))));
        return 1;
    }
    case FolderLock::Outcome::Failed:
        // A folder that cannot take the lock (read only) is told by each store that fails.
        std::fprintf(stderr, "system: cannot lock %s\n", qPrintable(folderLock.path()));
        break;
    }

    // However the program ends from here on (its exit, a window close, SIGTERM or SIGINT), a running
    // vote is closed as interrupted.
    InterruptedRounds::closeRunningAtEveryEnd();
    Backup::atStart(); // before anything is written
    // A damaged system database is told once here and once by the login, which refuses it.
    const bool systemRead = Schema::ensureSystemDatabase() && EventLog::ensureAnchors();
    AppearanceTable appearance;
    const bool appearanceRead = systemRead && useStoredLanguage(appearance, &AppearanceTable::load);
    if (!LanguageTable::note().isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(LanguageTable::note()));
    else if (!appearanceRead)
        std::fprintf(stderr, "The language of %s could not be read: the texts are English.\n",
                     qPrintable(ProgramFolder::filePath(Schema::kSystemDatabase)));
    services.startup = {appearance.function, appearance.mianbmp, appearance.logobmp};

    // A round cut off in an earlier run is told and mended before anything else.
    InterruptedRounds::recover();

    // The link lives for the whole run; the main window drives its start-up.
    Link link;
    link.setPortOverrides(m_ports);

    // The main window stays hidden until the link is up, so it is not exec()ed:
    // the program ends when it finishes (close box, Enter, Escape).
    QApplication::setQuitOnLastWindowClosed(false);
    FrmMain mainWindow(link, services);
    mainWindow.setTrainingFolder(TrainingFolder::under(dataHome()));
    mainWindow.webView().setPortOverride(m_webPort);
    QObject::connect(&instance, &SingleInstance::activationRequested, &mainWindow, &FrmMain::bringToFront);
    QObject::connect(&mainWindow, &QDialog::finished, qApp, &QCoreApplication::quit);
    mainWindow.startUp(m_training ? FrmMain::Start::Training : FrmMain::Start::Controller);
    const int code = QApplication::exec();
    link.stop();
    return code;
}
