// The program as a whole: a second start brings the running copy forward, and
// one program folder has one console.

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // withDisplay false: no DISPLAY, no WAYLAND_DISPLAY and no platform chosen, as over SSH.
    std::unique_ptr<QProcess> start(const QStringList& extra = {}, bool withDisplay = true,
                                    const QString& runtime = QStringLiteral("runtime"),
                                    const QString& root = QStringLiteral("root"))
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (withDisplay) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(name);
        }
        QDir(m_dir.path()).mkpath(runtime);
        QFile::setPermissions(m_dir.filePath(runtime),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", m_dir.filePath(runtime));
        env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        process->setProcessEnvironment(env);
        process->start(SYSTEM_EXECUTABLE, QStringList{"--root", m_dir.filePath(root)} + extra);
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // The first copy has claimed the instance and the folder, and made its system database.
    bool waitUntilRunning()
    {
        return QTest::qWaitFor(
            [&] {
                return QFile::exists(m_dir.filePath("root/console.lock")) &&
                       QFile::exists(m_dir.filePath("root/System/SystemData.db"));
            },
            60000);
    }

    // Reads the process's output as it comes (a line may come in pieces) until it holds `text`
    // or the process has ended.
    static bool waitForOutput(QProcess& process, QProcess::ProcessChannel channel, const QByteArray& text,
                              QByteArray* seen = nullptr)
    {
        QByteArray buffer;
        process.setReadChannel(channel);
        for (;;) {
            buffer += process.readAll();
            if (seen)
                *seen = buffer;
            if (buffer.contains(text))
                return true;
            if (process.state() != QProcess::Running || !process.waitForReadyRead(60000))
                return (buffer += process.readAll()).contains(text);
        }
    }

    static void stop(QProcess& process)
    {
        process.kill();
        process.waitForFinished(10000);
    }

    QTemporaryDir m_dir;
};

TEST_F(StartupTest, SecondStartRaisesTheFirstAndEnds)
{
    auto first = start();
    ASSERT_TRUE(waitUntilRunning()); // which waits for the system database
    EXPECT_TRUE(QFile::exists(m_dir.filePath("root/System/Menu/menu.ini")));

    // The second start ends only after the first answered it, so the first's line is on its way.
    auto second = start();
    ASSERT_TRUE(second->waitForFinished(-1));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(waitForOutput(*first, QProcess::StandardOutput, "brought to the front by a second start"));
    EXPECT_EQ(first->state(), QProcess::Running);

    // A second start naming another folder opens nothing and says so.
    auto other = start({}, true, QStringLiteral("runtime"), QStringLiteral("other"));
    EXPECT_TRUE(waitForOutput(*other, QProcess::StandardError, "was not opened"));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("other/console.lock")));
    stop(*other);
    stop(*first);
}

TEST_F(StartupTest, OneProgramFolderHasOneConsoleWhoeverRunsIt)
{
    auto first = start();
    ASSERT_TRUE(waitUntilRunning());
    // The running console is writing its system database (it holds the file while
    // connected): the second start must still refuse in words, not stop on a box.
    ProgramFolder::set(m_dir.filePath("root"));
    DbAccess writing;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            DbFailures quiet;
            writing.connect(Schema::kSystemDatabase);
            return writing.isConnected();
        },
        10000));
    // Another session (its own runtime folder) on the same program folder.
    auto second = start({}, true, QStringLiteral("runtime-2"));
    QByteArray said;
    EXPECT_TRUE(waitForOutput(*second, QProcess::StandardError, "This console does not start", &said));
    EXPECT_TRUE(said.contains(QSysInfo::machineHostName().toUtf8())) << said.toStdString();
    EXPECT_TRUE(said.contains(QFileInfo(m_dir.filePath("root/console.lock")).owner().toUtf8()))
        << said.toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);
    stop(*second);
    stop(*first);
}

TEST_F(StartupTest, LocksLeftByACrashOrBrokenAreTakenOver)
{
    auto crashed = start();
    ASSERT_TRUE(waitUntilRunning());
    ::kill(pid_t(crashed->processId()), SIGKILL);
    crashed->waitForFinished(10000);

    auto next = start();
    EXPECT_FALSE(next->waitForFinished(3000)) << "the new start should run, not end";
    EXPECT_EQ(next->state(), QProcess::Running);
    stop(*next);

    // An empty instance lock and a folder where the program folder's lock should be: nobody holds them.
    QFile::remove(m_dir.filePath("runtime/reform.lock"));
    QFile empty(m_dir.filePath("runtime/reform.lock"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile::remove(m_dir.filePath("root/console.lock"));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("root/console.lock"));
    auto broken = start();
    QByteArray said;
    EXPECT_TRUE(waitForOutput(*broken, QProcess::StandardError, "console.lock was broken", &said))
        << said.toStdString();
    EXPECT_TRUE(said.contains("reform.lock was broken")) << said.toStdString();
    EXPECT_EQ(broken->state(), QProcess::Running);
    stop(*broken);
}

TEST_F(StartupTest, SigtermEndsTheProgramAsItsExitDoes)
{
    auto running = start();
    ASSERT_TRUE(waitUntilRunning());
    ::kill(pid_t(running->processId()), SIGTERM);
    ASSERT_TRUE(running->waitForFinished(10000));
    // Not killed by the signal: the program ended itself, with the shell's code for it.
    EXPECT_EQ(running->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running->exitCode(), 128 + SIGTERM);
}

TEST_F(StartupTest, OptionsThatOpenNoWindowNeedNoDisplay)
{
    auto version = start({"--version"}, false);
    ASSERT_TRUE(version->waitForFinished(20000));
    EXPECT_EQ(version->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(version->exitCode(), 0);
    EXPECT_EQ(version->readAllStandardOutput().trimmed(), QByteArray("system " CONSOLE_VERSION));

    auto help = start({"--help"}, false);
    ASSERT_TRUE(help->waitForFinished(20000));
    EXPECT_EQ(help->exitCode(), 0);
    EXPECT_TRUE(help->readAllStandardOutput().contains("--root"));

    auto bad = start({"--port", "zero=/dev/null"}, false);
    ASSERT_TRUE(bad->waitForFinished(20000));
    EXPECT_EQ(bad->exitCode(), 2);
    EXPECT_TRUE(bad->readAllStandardError().contains("--port"));

    auto unknown = start({"--no-such-option"}, false);
    ASSERT_TRUE(unknown->waitForFinished(20000));
    EXPECT_EQ(unknown->exitCode(), 2);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("root/System/SystemData.db"))) << "nothing was set up";
}

// --verify-meeting changes nothing it reads and answers with its exit code.
TEST_F(StartupTest, VerifyMeetingIsReadOnlyConfinedToDataAndScriptable)
{
    const auto verify = [this](const QStringList& extra) {
        auto process = start(extra, false);
        EXPECT_TRUE(process->waitForFinished(20000));
        return std::pair{process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()).trimmed()};
    };
    // A mistyped folder is neither made nor filled.
    EXPECT_EQ(verify({"--verify-meeting", "Plenary"}).first, 2);
    EXPECT_FALSE(QDir(m_dir.filePath("root")).exists());

    ProgramFolder::set(m_dir.filePath("root"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("root/System")));
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    ASSERT_EQ(Schema::createMeetingDatabase("Plenary"), Schema::CreateResult::Created);
    {
        DbAccess db;
        ASSERT_TRUE(EventLog::connect(db, Schema::meetingDatabasePath("Plenary")));
        DbTransaction transaction(db);
        ASSERT_TRUE(EventLog::append(db, EventLog::kVoteStarted, "motion 1 Budget", "20260301100000"));
        ASSERT_TRUE(transaction.commit());
    }
    EXPECT_EQ(verify({"--verify-meeting", "Plenary"}),
              std::pair(0, QStringLiteral("Plenary: Record intact (1 events)")));
    for (const char* outside : {"../System/SystemData", "../../passwd", ".."})
        EXPECT_EQ(verify({"--verify-meeting", outside}).first, 2) << outside;
    EXPECT_EQ(verify({"--verify-meeting", "Nobody"}),
              std::pair(2, QStringLiteral("Nobody: The meeting has no database file")));
    EXPECT_EQ(verify({"--root", m_dir.filePath("root"), "--verify-meeting", "Plenary"}).first, 2)
        << "two --root";
    ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath("Plenary"), "delete from EventLog"));
    EXPECT_EQ(verify({"--verify-meeting", "Plenary"}),
              std::pair(1, QStringLiteral("Plenary: Record broken: 1 events missing at the end")));
}

} // namespace
