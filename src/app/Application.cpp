#include "app/Application.h"

#include "app/AppContext.h"
#include "app/FolderLock.h"
#include "app/FrmMain.h"
#include "app/SingleInstance.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/TimerService.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "reports/Minutes.h"
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
        QStringLiteral("Conference console: runs a meeting on the delegate units."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Program folder to use."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Device path of serial port N (repeatable)."),
                                        QStringLiteral("N=PATH"));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify-meeting"),
        QStringLiteral("Check the meeting's event record and exit (non-zero when broken)."),
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
                                 QStringLiteral("The minutes' file (with --minutes)."));
    parser.addOption(webPortOption);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
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
    QString error;
    const QString folder = chooseProgramFolder(error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    ProgramFolder::set(folder);
    return true;
}

int Application::verifyMeeting(const QString& name) const
{
    if (!useProgramFolder())
        return 2;
    const EventLog::Check check = EventLog::verify(Schema::meetingDatabasePath(name));
    std::printf("%s: %s\n", qPrintable(name), qPrintable(EventLog::describe(check)));
    // The speakers' log is checked against the entries written with its rows.
    const SpeechTable::Check speeches = SpeechTable::check(Schema::meetingDatabasePath(name));
    if (speeches.outcome != SpeechTable::Check::Outcome::Intact)
        std::printf("%s: %s\n", qPrintable(name), qPrintable(SpeechTable::describe(speeches)));
    return check.outcome == EventLog::Check::Outcome::Intact &&
                   speeches.outcome == SpeechTable::Check::Outcome::Intact
               ? 0
               : 1;
}

int Application::writeMinutes(int& argc, char** argv) const
{
    // No window opens: the offscreen platform gives the fonts without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication gui(argc, argv);
    if (!useProgramFolder())
        return 1;
    Schema::ensureSystemDatabase();
    useStoredLanguage();
    QString detail;
    if (Minutes::write(m_minutesMeeting, m_minutesPath, &detail) != Minutes::Outcome::Written) {
        std::fprintf(stderr, "system: %s\n", qPrintable(detail));
        return 1;
    }
    return 0;
}

AppearanceTable Application::useStoredLanguage()
{
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    appearance.load();
    LanguageTable::setFile(LanguageTable::fileForCode(appearance.borderism));
    return appearance;
}

int Application::run()
{
    QString error;
    const QString folder = chooseProgramFolder(error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    ProgramFolder::set(folder);

    MessageBoxPrompter prompter;
    Prompt::setPrompter(&prompter);
    QApplication::setWindowIcon(Skin::programIcon());
    // Combo boxes report their label to screen readers, not the item they show.
    PageBuilder::nameComboBoxesByLabel();

    // Texts for the refusals below, read without writing anything.
    if (QFile::exists(ProgramFolder::filePath(Schema::kSystemDatabase)))
        useStoredLanguage();
    else
        LanguageTable::setFile(LanguageTable::fileForCode(QStringLiteral("1")));
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

    Schema::ensureSystemDatabase();
    const AppearanceTable appearance = useStoredLanguage();
    AppContext::setStartup({appearance.function, appearance.mianbmp, appearance.logobmp});

    // The link lives for the whole run; the main window drives its start-up.
    Link link;
    link.setPortOverrides(m_ports);

    // The main window stays hidden until the link is up, so it is not exec()ed:
    // the program ends when it finishes (close box, Enter, Escape).
    QApplication::setQuitOnLastWindowClosed(false);
    FrmMain mainWindow(link, programTimers());
    mainWindow.setTrainingFolder(TrainingFolder::under(dataHome()));
    mainWindow.webView().setPortOverride(m_webPort);
    QObject::connect(&instance, &SingleInstance::activationRequested, &mainWindow, &FrmMain::bringToFront);
    QObject::connect(&mainWindow, &QDialog::finished, qApp, &QCoreApplication::quit);
    mainWindow.startUp(m_training ? FrmMain::Start::Training : FrmMain::Start::Controller);
    const int code = QApplication::exec();
    link.stop();
    Prompt::setPrompter(nullptr);
    return code;
}
