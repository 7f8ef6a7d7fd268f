// The program as a whole: a second start brings the running copy forward.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath("runtime");
        QFile::setPermissions(m_dir.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // withDisplay false: no DISPLAY, no WAYLAND_DISPLAY and no platform chosen, as over SSH.
    std::unique_ptr<QProcess> start(const QStringList& extra = {}, bool withDisplay = true)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (withDisplay) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(name);
        }
        env.insert("XDG_RUNTIME_DIR", m_dir.filePath("runtime"));
        env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        process->setProcessEnvironment(env);
        process->start(SYSTEM_EXECUTABLE, QStringList{"--root", m_dir.filePath("root")} + extra);
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // The first copy listens once it has claimed the instance.
    bool waitUntilListening()
    {
        return QTest::qWaitFor([&] { return QFile::exists(m_dir.filePath("runtime/reform.socket")); }, 20000);
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
    ASSERT_TRUE(waitUntilListening());
    EXPECT_TRUE(QFile::exists(m_dir.filePath("root/System/SystemData.db")));
    EXPECT_TRUE(QFile::exists(m_dir.filePath("root/System/Menu/menu.ini")));

    auto second = start();
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return first->readAllStandardOutput().contains("brought to the front by a second start") ||
                   first->state() != QProcess::Running;
        },
        20000));
    EXPECT_EQ(first->state(), QProcess::Running);
    stop(*first);
}

TEST_F(StartupTest, LockLeftByACrashedCopyIsTakenOver)
{
    auto crashed = start();
    ASSERT_TRUE(waitUntilListening());
    ::kill(pid_t(crashed->processId()), SIGKILL);
    crashed->waitForFinished(10000);

    auto next = start();
    EXPECT_FALSE(next->waitForFinished(3000)) << "the new start should run, not end";
    EXPECT_EQ(next->state(), QProcess::Running);
    stop(*next);
}

TEST_F(StartupTest, SigtermEndsTheProgramAsItsExitDoes)
{
    auto running = start();
    ASSERT_TRUE(waitUntilListening());
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
    const QByteArray helpText = help->readAllStandardOutput();
    EXPECT_TRUE(helpText.contains("--root")) << helpText.toStdString();
    EXPECT_TRUE(helpText.contains("--port"));
    EXPECT_TRUE(helpText.contains("--training"));

    auto bad = start({"--port", "zero=/dev/null"}, false);
    ASSERT_TRUE(bad->waitForFinished(20000));
    EXPECT_EQ(bad->exitCode(), 2);
    EXPECT_TRUE(bad->readAllStandardError().contains("--port"));

    auto unknown = start({"--no-such-option"}, false);
    ASSERT_TRUE(unknown->waitForFinished(20000));
    EXPECT_EQ(unknown->exitCode(), 2);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("root/System/SystemData.db"))) << "nothing was set up";
}

} // namespace
