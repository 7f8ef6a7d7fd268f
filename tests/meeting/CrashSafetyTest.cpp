// Kills a writer with SIGKILL at random moments, 50 times per kind of write, and checks after
// each kill that the database is sound and holds every write whole or not at all.
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "meeting/AttendanceTable.h"
#include "support/ConsoleTest.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

namespace {

constexpr int kKills = 50;
const QString kDatabase = QStringLiteral("Data/Crash.db");

class CrashSafetyTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Crash")), Schema::CreateResult::Created);
    }

    // Runs the writer from `generation` on for a random moment up to 80 ms, then kills it, and
    // counts the kills that left a transaction open (a journal with a live header).
    void killWriter(const char* kind, int generation)
    {
        QProcess writer;
        writer.start(QStringLiteral(CRASH_WRITER),
                     {m_folder.path(), QString::fromLatin1(kind), QString::number(generation)});
        ASSERT_TRUE(writer.waitForReadyRead(10000)) << writer.errorString().toStdString();
        QThread::msleep(QRandomGenerator::global()->bounded(80));
        writer.kill();
        writer.waitForFinished();
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer stopped on its own";
        QFile journal(programFile(kDatabase + QStringLiteral("-journal")));
        if (journal.open(QIODevice::ReadOnly) && journal.read(8) == QByteArray::fromHex("d9d505f920a163d7"))
            ++m_interrupted;
    }

    // Every case must have cut some writes short, or it proved nothing.
    void TearDown() override
    {
        EXPECT_GT(m_interrupted, 0) << "no kill hit an open transaction";
        ConsoleTest::TearDown();
    }

    // The named columns of a one-row SELECT as numbers; -1 when missing.
    QList<qint64> numbers(const QString& sql, std::initializer_list<const char*> names)
    {
        QList<qint64> out;
        const auto rows = DbAccess::selectOnce(kDatabase, sql);
        for (const char* name : names)
            out.append(rows && rows->size() == 1 ? rows->first().text(name).toLongLong() : -1);
        return out;
    }

    void expectSound()
    {
        const auto rows = DbAccess::selectOnce(kDatabase, QStringLiteral("pragma integrity_check"));
        ASSERT_TRUE(rows && rows->size() == 1);
        EXPECT_EQ(rows->first().text("integrity_check"), "ok");
    }

    int m_interrupted = 0;
};

TEST_F(CrashSafetyTest, AttendanceOf249UnitsIsWrittenWholeOrNotAtAll)
{
    for (int unit = 1; unit <= 249; ++unit)
        ASSERT_TRUE(DbAccess::executeOnce(
            kDatabase, QStringLiteral("insert into Employees(CellNo) values(?)"), {QString::number(unit)}));
    AttendanceTable tables; // its own tables exist before the first kill
    tables.setMeeting(QStringLiteral("Crash"));
    ASSERT_TRUE(tables.writeArrivals({}));
    qint64 rounds = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        killWriter("attendance", int(rounds) + 1);
        expectSound();
        // Every unit's mark is that of the last stored round.
        const QList<qint64> now =
            numbers(QStringLiteral(
                        "select (select count(*) from SignInRound) as rounds, (select count(*) from SignIn)"
                        " as signs, (select count(*) from SignInTime) as arrivals, (select count(*) from"
                        " Employees where ifnull(sign, '0') = cast((select count(*) from SignInRound) as "
                        "text)) as marked"),
                    {"rounds", "signs", "arrivals", "marked"});
        ASSERT_GE(now[0], rounds) << "a committed sign-in was lost";
        rounds = now[0];
        EXPECT_EQ(now[1], 249 * rounds);
        EXPECT_EQ(now[2], 249 * rounds);
        EXPECT_EQ(now[3], 249);
    }
    EXPECT_GT(rounds, 0) << "no sign-in was ever stored";
}

TEST_F(CrashSafetyTest, AnImportOf1000DelegatesIsStoredWholeOrNotAtAll)
{
    qint64 imports = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        killWriter("import", int(imports) + 1);
        expectSound();
        const QList<qint64> now =
            numbers(QStringLiteral("select count(*) as rows, count(distinct Unit) as imports from Employees"),
                    {"rows", "imports"});
        ASSERT_EQ(now[0] % 1000, 0) << "a part of an import was stored";
        ASSERT_GE(now[1], imports) << "a committed import was lost";
        imports = now[1];
        EXPECT_EQ(now[0], 1000 * imports);
    }
    EXPECT_GT(imports, 0) << "no import was ever stored";
}

TEST_F(CrashSafetyTest, AResultUpdateKeepsItsFieldsTogether)
{
    ASSERT_TRUE(
        DbAccess::executeOnce(kDatabase, QStringLiteral("insert into Overture(id, OveName) values(1, 'M')")));
    qint64 generation = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        killWriter("result", int(generation) + 1);
        expectSound();
        const auto rows = DbAccess::selectOnce(kDatabase, QStringLiteral("select * from Overture"));
        ASSERT_TRUE(rows && rows->size() == 1);
        const DbRow& row = rows->first();
        EXPECT_EQ(row.text("VoteState"), row.text("result"));
        EXPECT_EQ(row.text("PollTimel"), row.text("result"));
        ASSERT_GE(row.text("result").toLongLong(), generation) << "a committed result was lost";
        generation = row.text("result").toLongLong();
    }
    EXPECT_GT(generation, 0) << "no result was ever stored";
}

} // namespace
