// Against the simulated controller on a real pseudo-terminal with real
// timers: three speakers, one of them past his time, end in minutes written by
// `system --minutes` and a record `--verify-meeting` checks. Sign-in and vote
// on a real terminal are MeetingEndToEnd's; the map and hall screen are
// FrmMootsetTest's.

#include "../meeting/MeetingTestData.h"
#include "link/Link.h"
#include "meeting/FrmConmee.h"
#include "meeting/MeetingSession.h"
#include "screen/FrmScr.h"
#include "speak/FrmMootset.h"
#include "speak/SeatLayout.h"
#include "speak/SpeakingLog.h"
#include "support/ConsoleTest.h"
#include "support/SimulatorProcess.h"
#include "support/WidgetFinder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr int kUnits = 20;

class SpeakingEndToEnd : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        services.timers = nullptr; // real time: the bytes cross a real terminal
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        meeting = MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits);
        ASSERT_TRUE(SeatLayout::grid(kUnits).save(programFile(QStringLiteral("System/seat.ini"))));
        ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                          QStringLiteral("update sysbasicset set SeatYesORNo = 'yes'")));
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, kUnits, 1, m_folder.filePath("unitsim.log")));
    }

    Meeting meeting;
    // Starts the link on the simulator and waits until its start-up has ended.
    bool linkUp(Link& link)
    {
        link.setPortOverrides({{1, simulator.terminal()}});
        link.start(1, 1, kUnits, 1);
        return QTest::qWaitFor([&] { return simulator.received().endsWith(Commands::kControlEnd); }, 15000);
    }

    SimulatorProcess simulator;
};

struct SystemRun
{
    int code = -1;
    QString out;
    QString err;
};

// The console's own program, as an operator runs it from a shell.
SystemRun runSystem(const QStringList& arguments)
{
    // A login session has its runtime folder; without one Qt warns on stderr.
    static QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SYSTEM_EXECUTABLE), arguments);
    SystemRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

TEST_F(SpeakingEndToEnd, ThreeSpeakersOnePastHisTimeEndInTheMinutesAndTheRecord)
{
    // Three seconds each, and the console closes whoever runs over.
    ASSERT_TRUE(DbAccess::executeOnce(
        Schema::kSystemDatabase, QStringLiteral("update sysbasicset set SpeakLimit = 3, SpeakClose = 1")));
    Link link;
    ASSERT_TRUE(linkUp(link));
    FrmScr screen;
    screen.loadSettings();
    MeetingSessions meetings(link, programTimers());
    auto hub = std::make_unique<FrmConmee>(link, services, screen, meetings, QStringLiteral("0"));
    hub->openMeeting(meeting);
    hub->show();
    hub->setAreaRunner([](QDialog&) { return 1; }); // the key monitor and result display stay shut

    hub->showSpeaking();
    SpeakingLog& speaking = hub->speakPage()->speakingLog();
    emit findWidget<QComboBox>(hub.get(), FrmMootset::kModeCombo)->activated(0);
    ASSERT_TRUE(simulator.act(QStringLiteral("mic 12 on"))); // at the unit, for a second
    ASSERT_TRUE(QTest::qWaitFor([&] { return speaking.isOpen(12); }, 5000));
    QTest::qWait(1000);
    ASSERT_TRUE(simulator.act(QStringLiteral("mic 12 off")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !speaking.isOpen(12); }, 5000));
    findWidget<QLineEdit>(hub.get(), FrmMootset::kUnitEdit)
        ->setText(QStringLiteral("5")); // by the console, two
    clickButton(hub.get(), FrmMootset::kOpenButton);
    QTest::qWait(2000);
    clickButton(hub.get(), FrmMootset::kCloseButton);
    ASSERT_TRUE(simulator.act(QStringLiteral("mic 7 on"))); // on past three seconds: closed at time-up
    ASSERT_TRUE(QTest::qWaitFor([&] { return speaking.isOpen(7); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !speaking.isOpen(7); }, 8000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.received().contains(0xFB0007); }, 5000));
    hub.reset(); // leaving the hub
    link.stop();

    const QString root = m_folder.path();
    const QString pdf = m_folder.filePath(QStringLiteral("minutes.pdf"));
    const SystemRun minutes =
        runSystem({QStringLiteral("--root"), root, QStringLiteral("--minutes"), meeting.name, pdf});
    ASSERT_EQ(minutes.code, 0) << minutes.err.toStdString();
    const QString text = pdfText(pdf);
    const QRegularExpression order(QStringLiteral(
        "Delegate 12 (\\d+):(\\d\\d) .*Delegate 5 (\\d+):(\\d\\d) .*Delegate 7 (\\d+):(\\d\\d) .*"
        "Record intact \\(\\d+ events\\)"));
    const QRegularExpressionMatch found = order.match(text);
    ASSERT_TRUE(found.hasMatch()) << text.toStdString();
    const int expected[] = {1, 2, 3};
    for (int speaker = 0; speaker < 3; ++speaker) {
        const int seconds =
            found.captured(1 + 2 * speaker).toInt() * 60 + found.captured(2 + 2 * speaker).toInt();
        EXPECT_NEAR(seconds, expected[speaker], 1) << speaker;
    }
    if (!qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR").isEmpty())
        QFile::copy(pdf, qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR") + QStringLiteral("/minutes.pdf"));

    const SystemRun intact =
        runSystem({QStringLiteral("--root"), root, QStringLiteral("--verify-meeting"), meeting.name});
    EXPECT_EQ(intact.code, 0) << intact.out.toStdString();
    ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath(meeting.name),
                                      QStringLiteral("update SpeechLog set seconds = 1 where CellNo = 7")));
    const SystemRun edited =
        runSystem({QStringLiteral("--root"), root, QStringLiteral("--verify-meeting"), meeting.name});
    EXPECT_EQ(edited.code, 1);
    EXPECT_TRUE(edited.out.contains(QStringLiteral("speech row 3 does not fit the record")))
        << edited.out.toStdString();

    // A fault: one line on stderr, exit 1, no file.
    const SystemRun nobody =
        runSystem({QStringLiteral("--root"), root, QStringLiteral("--minutes"), QStringLiteral("Nobody"),
                   m_folder.filePath(QStringLiteral("nobody.pdf"))});
    EXPECT_EQ(nobody.code, 1);
    EXPECT_EQ(nobody.err, QStringLiteral("system: there is no meeting named \"Nobody\"\n"));
    EXPECT_FALSE(QFileInfo::exists(m_folder.filePath(QStringLiteral("nobody.pdf"))));
}

} // namespace
