// Rounds against unitsim on a pseudo-terminal, run by the console's procedures
// in a child process that the test cuts off, starves of its folder, or
// answers as the operator would:
// - a vote cut off by SIGTERM or SIGKILL, and a sign-in killed: the next start
//   mends or offers what was left, and the motion never keeps a partial count;
// - a read-only program folder: the vote is refused with one sentence, an
//   ended vote is held "NOT stored" with nothing written, and "Try again"
//   stores it once the cause is gone (a full disk: FrmManCheTest, FrmMeeVoteTest).

#include "MeetingTestData.h"
#include "app/InterruptedRounds.h"
#include "core/ProgramFolder.h"
#include "data/EventLog.h"
#include "link/Commands.h"
#include "meeting/VoteRecord.h"
#include "prep/MeetingTable.h"
#include "reports/RecordCheck.h"
#include "support/ConsoleTest.h"
#include "support/EventChain.h"
#include "support/SimulatorProcess.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>
#include <grp.h>
#include <unistd.h>

namespace {

constexpr int kUnits = 40;
const QString kKey = QStringLiteral("20260301100001");
const QString kFinal = QStringLiteral("1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Not passed:");
// Root writes through any file mode; the runner then works as this user, who does not.
constexpr uid_t kNobody = 65534;

class RoundEndToEnd : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        services.timers = nullptr; // real time: the bytes cross a real terminal
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits);
        ASSERT_TRUE(MeetingTable().setPresent(QStringLiteral("Council"), 30));
        const Motion motion =
            MeetingTestData::addMotion(QStringLiteral("Council"), QStringLiteral("Budget"), 0, kKey);
        // Voted before, to a final result a cut-off or unstored re-vote must not replace.
        VoteRecord record{MotionWords::fromLanguageTables()};
        record.setMeeting(QStringLiteral("Council"));
        const qint64 id = record.find(motion).value_or(0);
        ASSERT_TRUE(record.writeSettings(id, motion, "20260301100500"));
        ASSERT_TRUE(
            record.writeResult(id, kFinal, "Voted", QDateTime(QDate(2026, 3, 1), QTime(10, 6)), true));
        // The link's own path names the port's lock file, so a lock left by a runner killed in another
        // test never stands in this one's way.
        ASSERT_TRUE(QFile::setPermissions(m_log.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ExeOwner | QFile::ReadOther |
                                                            QFile::ExeOther));
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, kUnits, 1, m_log.filePath("unitsim.log"),
                                    {"--link", controller()}));
    }
    void TearDown() override
    {
        if (runner.state() != QProcess::NotRunning) {
            runner.kill();
            runner.waitForFinished(5000);
        }
        setWritable(true); // so the folder can go
        // The port's lock file a killed runner left behind.
        QFile::remove(QStringLiteral("/run/lock/LCK..") +
                      QString(controller()).replace(QLatin1Char('/'), QLatin1Char('_')));
        ConsoleTest::TearDown();
    }

    // The runner on a vote of "Budget" or a sign-in; as root it works as nobody.
    void run(const char* round, bool unprivileged = false)
    {
        QStringList arguments{m_folder.path(), controller(), "Council", round};
        if (QLatin1String(round) == QLatin1String("vote"))
            arguments << kKey;
        const bool drop = unprivileged && ::geteuid() == 0;
        if (drop)
            handTo(kNobody);
        runner.setChildProcessModifier([drop] {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the size limit fails instead of killing
            if (drop && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(99);
        });
        runner.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        runner.start(ROUND_RUNNER, arguments);
        ASSERT_TRUE(runner.waitForStarted(10000));
    }
    QString controller() const { return m_log.filePath("controller"); }
    // The program folder and the controller's terminal become `user`'s.
    void handTo(uid_t user)
    {
        ASSERT_EQ(::chown(qPrintable(simulator.terminal()), user, gid_t(-1)), 0);
        ASSERT_EQ(::lchown(qPrintable(m_folder.path()), user, user), 0);
        QDirIterator all(m_folder.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
        while (all.hasNext())
            ASSERT_EQ(::lchown(qPrintable(all.next()), user, user), 0);
    }
    // Every folder and file of the program folder loses or gets back its write permission.
    void setWritable(bool writable)
    {
        const auto set = [writable](const QString& path, bool folder) {
            QFile::Permissions p = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
            if (folder)
                p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
            if (writable)
                p |= QFile::WriteOwner;
            return QFile::setPermissions(path, p);
        };
        QDirIterator all(m_folder.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
        while (all.hasNext()) {
            const QString path = all.next();
            ASSERT_TRUE(set(path, all.fileInfo().isDir())) << path.toStdString();
        }
        ASSERT_TRUE(set(m_folder.path(), true));
    }
    void tell(const char* line) { runner.write(QByteArray(line) + '\n'); }

    // Waits for `times` lines starting with `start`; the last of them.
    QString waitForLine(const QString& start, int times = 1)
    {
        int seen = 0;
        QString last;
        runEventsUntil(
            [&] {
                while (seen < times && runner.canReadLine()) {
                    const QString line = QString::fromUtf8(runner.readLine()).trimmed();
                    heard << line;
                    if (line.startsWith(start))
                        ++seen, last = line;
                }
                return seen == times;
            },
            20000);
        return seen == times ? last : QString();
    }
    void cutOffVoteWith(int signal)
    {
        run("vote");
        ASSERT_FALSE(waitForLine("collecting").isEmpty());
        ASSERT_TRUE(simulator.act("press 1-12 2"));
        // Twice: the row is written after the count is printed, so by the second the first is stored.
        ASSERT_FALSE(waitForLine("live 1:40:30:0:12:", 2).isEmpty());
        ::kill(pid_t(runner.processId()), signal);
        ASSERT_TRUE(runner.waitForFinished(10000));
    }

    // Ends the round whose store must fail: the question that holds it, with the file untouched.
    QString endHeld(const QString& question)
    {
        const QByteArray before = meetingFileHash();
        tell("end");
        const QString held = waitForLine(question);
        EXPECT_FALSE(held.isEmpty()) << heard.join('\n').toStdString();
        EXPECT_EQ(meetingFileHash(), before) << "nothing reached the file";
        return held;
    }
    static QString meetingFile() { return ProgramFolder::filePath(Schema::meetingDatabasePath("Council")); }
    static QByteArray meetingFileHash()
    {
        QFile file(meetingFile());
        return file.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }
    QStringList meetingColumn(const QString& sql, const char* name)
    {
        return MeetingTestData::column(sql, name, Schema::meetingDatabasePath("Council"));
    }
    QString stored(const char* column)
    {
        return meetingColumn(QStringLiteral("select %1 from Overture").arg(column), column).value(0);
    }
    QStringList events(const char* kind)
    {
        return meetingColumn(QStringLiteral("select detail from EventLog where kind = '%1'").arg(kind),
                             "detail");
    }
    int controlBegins() const { return int(simulator.received().count(Commands::kControlBegin)); }
    void expectMended()
    {
        EXPECT_EQ(stored("result"), kFinal);
        EXPECT_EQ(stored("PollTimel"), "2026/03/01/-10:06:00");
        ASSERT_EQ(events("vote-interrupted").size(), 1);
        EXPECT_TRUE(events("vote-interrupted")[0].contains(" partial 1:40:30:0:12:"))
            << events("vote-interrupted")[0].toStdString();
        EXPECT_EQ(eventChain(Schema::meetingDatabasePath("Council")).status, EventLog::Chain::Status::Whole);
    }

    QStringList heard; // every line the runner said
    QStringList told() const { return heard.filter(QRegularExpression("^(tell|ask|message) ")); }
    QTemporaryDir m_log;
    SimulatorProcess simulator;
    QProcess runner;
};

} // namespace

TEST_F(RoundEndToEnd, SigtermClosesTheRunningVoteBeforeTheProgramEnds)
{
    cutOffVoteWith(SIGTERM);
    EXPECT_EQ(runner.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(runner.exitCode(), 128 + SIGTERM);
    expectMended();
    // Nothing is left for the next start to mend or tell.
    InterruptedRounds::recover();
    EXPECT_TRUE(prompts.takeTexts().isEmpty());
    EXPECT_EQ(events("vote-interrupted").size(), 1);
}

TEST_F(RoundEndToEnd, AfterSigkillTheNextStartMendsTheMotionAndSaysWhich)
{
    cutOffVoteWith(SIGKILL);
    EXPECT_EQ(runner.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(stored("result").startsWith("1:40:30:0:12:")); // the partial count, as the kill left it
    const QString unfinished = RecordCheck::describe(RecordCheck::check("Council"));
    EXPECT_TRUE(unfinished.startsWith("Record not closed: the vote on \"Budget\" started 20"))
        << unfinished.toStdString();
    InterruptedRounds::recover();
    const QStringList told = prompts.takeTexts();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("The vote on \"Budget\" (meeting \"Council\"), started 20"))
        << told[0].toStdString();
    expectMended();
    EXPECT_EQ(RecordCheck::check("Council").outcome, RecordCheck::Verdict::Outcome::Intact);
}

TEST_F(RoundEndToEnd, ASignInKilledIsOfferedAtTheNextStartWithTheUnitsThatWereSeen)
{
    run("signin");
    ASSERT_FALSE(waitForLine("collecting").isEmpty());
    ASSERT_TRUE(simulator.act("signin 3-14"));
    // The figures are shown after each second's arrivals went to the journal: killed with 12 on the page.
    ASSERT_FALSE(waitForLine("present 12").isEmpty());
    ::kill(pid_t(runner.processId()), SIGKILL);
    ASSERT_TRUE(runner.waitForFinished(10000));

    prompts.answerNext(true);
    InterruptedRounds::recover();
    const QStringList asked = prompts.takeTexts();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith("A sign-in of the meeting \"Council\", started 20"))
        << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("with 12 units seen signed in")) << asked[0].toStdString();
    QStringList seen;
    for (int n = 3; n <= 14; ++n)
        seen << QString::number(n);
    EXPECT_EQ(
        meetingColumn("select CellNo from Employees where sign = 'Signed in' order by CellNo + 0", "CellNo"),
        seen);
    // How the round is stored (marked interrupted, its count, its event) is RoundRecoveryTest's.
}

TEST_F(RoundEndToEnd, AReadOnlyFolderRefusesTheVoteHoldsAnEndedOneAndTryAgainStoresIt)
{
    setWritable(false);
    run("vote", true);
    const QString refused = waitForLine("message ");
    EXPECT_TRUE(
        refused.startsWith("message The vote was not started: the meeting database cannot be written ("))
        << heard.join('\n').toStdString();
    EXPECT_TRUE(refused.endsWith(").")) << refused.toStdString();
    EXPECT_EQ(stored("result"), kFinal);

    setWritable(true);
    tell("start");
    ASSERT_FALSE(waitForLine("collecting").isEmpty());
    ASSERT_TRUE(simulator.act("press 1-12 2"));
    ASSERT_FALSE(waitForLine("live 1:40:30:0:12:", 2).isEmpty());
    setWritable(false);
    // A live write that had its file open before is let through; by the second count after, it is done.
    ASSERT_FALSE(waitForLine("live 1:40:30:0:12:", 2).isEmpty());
    const QString held = endHeld("ask The result was NOT stored: ");
    EXPECT_FALSE(held.startsWith("ask The result was NOT stored: .")) << "the reason is named";

    setWritable(true);
    tell("yes");
    EXPECT_EQ(waitForLine("again "), "again 1");
    tell("quit");
    ASSERT_TRUE(runner.waitForFinished(10000));
    EXPECT_TRUE(stored("result").startsWith("1:40:30:0:12:18:18:0.00%:30.00%:"))
        << stored("result").toStdString();
    // One sentence when refused, one question when held: no raw store message on the way.
    ASSERT_EQ(told().size(), 2) << told().join('\n').toStdString();
    EXPECT_EQ(events("vote-end").size(), 2);
    EXPECT_EQ(controlBegins(), 2) << "the start-up's and the one vote that ran";
    EXPECT_EQ(eventChain(Schema::meetingDatabasePath("Council")).status, EventLog::Chain::Status::Whole);
}
