#include "app/Application.h"

#include "app/AppContext.h"
#include "app/FrmMain.h"
#include "app/InterruptedRounds.h"
#include "app/SingleInstance.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/TimerService.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "training/TrainingFolder.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/PageBuilder.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
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
    parser.addOption(rootOption);
    parser.addOption(portOption);
    parser.addOption(verifyOption);
    parser.addOption(trainingOption);
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
    if (parser.isSet(verifyOption))
        return verifyMeeting(parser.value(verifyOption));
    return std::nullopt;
}

QString Application::chooseProgramFolder(QString& error) const
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    return ProgramFolder::choose({m_root, executableDir, dataHome(), seedTrees(executableDir)}, &error);
}

int Application::verifyMeeting(const QString& name) const
{
    QString error;
    const QString folder = chooseProgramFolder(error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    ProgramFolder::set(folder);
    const EventLog::Check check = EventLog::verify(Schema::meetingDatabasePath(name));
    std::printf("%s: %s\n", qPrintable(name), qPrintable(EventLog::describe(check)));
    return check.outcome == EventLog::Check::Outcome::Intact ? 0 : 1;
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

    Schema::ensureSystemDatabase();
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    appearance.load();
    LanguageTable::setFile(LanguageTable::fileForCode(appearance.borderism));
    AppContext::setStartup({appearance.function, appearance.mianbmp, appearance.logobmp});

    const Texts texts(QStringLiteral("Public"));
    SingleInstance instance(QStringLiteral("reform"));
    switch (instance.claim()) {
    case SingleInstance::Outcome::First:
        break;
    case SingleInstance::Outcome::ActivatedOther:
        return 0;
    case SingleInstance::Outcome::OtherNotFound:
        Prompt::information(Prompt::caption(), texts(QStringLiteral("RunErr")));
        return 1;
    case SingleInstance::Outcome::CheckFailed:
        Prompt::information(Prompt::caption(), texts(QStringLiteral("RunErr1")));
        return 1;
    }

    // A round cut off in an earlier run is told and mended before anything else.
    InterruptedRounds::recover();
    // However the program ends (its exit, a window close, SIGTERM or SIGINT), a running vote is closed
    // as interrupted.
    InterruptedRounds::closeRunningAtEveryEnd();

    // The link lives for the whole run; the main window drives its start-up.
    Link link;
    link.setPortOverrides(m_ports);

    // The main window stays hidden until the link is up, so it is not exec()ed:
    // the program ends when it finishes (close box, Enter, Escape).
    QApplication::setQuitOnLastWindowClosed(false);
    FrmMain mainWindow(link, programTimers());
    mainWindow.setTrainingFolder(TrainingFolder::under(dataHome()));
    QObject::connect(&instance, &SingleInstance::activationRequested, &mainWindow, &FrmMain::bringToFront);
    QObject::connect(&mainWindow, &QDialog::finished, qApp, &QCoreApplication::quit);
    mainWindow.startUp(m_training ? FrmMain::Start::Training : FrmMain::Start::Controller);
    const int code = QApplication::exec();
    link.stop();
    Prompt::setPrompter(nullptr);
    return code;
}
