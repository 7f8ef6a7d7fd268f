// Kills a writer with SIGKILL at random moments, 50 times per kind of write, and checks after
// each kill that the database is sound and holds every write whole or not at all.
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "meeting/AttendanceTable.h"
#include "prep/MotionTable.h"
#include "support/ConsoleTest.h"

#include <QElapsedTimer>
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
        ASSERT_TRUE(Schema::ensureSystemDatabase()); // the record's anchor lives there
        ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Crash")), Schema::CreateResult::Created);
    }

    // Runs the writer from `generation` on. Once it has stored one generation it is killed after a
    // random moment up to as long as that took (start and one write), wherever it is then. Returns the last
    // generation it said it stored, and counts the kills that left a transaction open (a journal with a live
    // header).
    int killWriter(const char* kind, int generation)
    {
        QProcess writer;
        writer.start(QStringLiteral(CRASH_WRITER),
                     {m_folder.path(), QString::fromLatin1(kind), QString::number(generation)});
        QElapsedTimer clock;
        clock.start();
        QByteArray output;
        while (!output.contains("stored") && writer.waitForReadyRead(30000))
            output += writer.readAll();
        if (output.contains("stored"))
            QThread::msleep(QRandomGenerator::global()->bounded(clock.elapsed() + 1));
        writer.kill();
        writer.waitForFinished();
        output += writer.readAll();
        EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer stopped on its own";
        QFile journal(programFile(kDatabase + QStringLiteral("-journal")));
        if (journal.open(QIODevice::ReadOnly) && journal.read(8) == QByteArray::fromHex("d9d505f920a163d7"))
            ++m_interrupted;
        const qsizetype last = output.lastIndexOf("stored ");
        EXPECT_GE(last, 0) << "the writer stored nothing: " << output.toStdString();
        return last < 0 ? 0 : output.mid(last + 7).split('\n').value(0).toInt();
    }

    // How many kills cut a write short is recorded, not required: in a slow
    // (sanitizer) build every kill of a run may fall between two writes.
    void TearDown() override
    {
        RecordProperty("kills_in_transaction", m_interrupted);
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
        const int stored = killWriter("attendance", int(rounds) + 1);
        expectSound();
        // Every unit's mark is that of the last stored round.
        const QList<qint64> now =
            numbers(QStringLiteral(
                        "select (select count(*) from SignInRound) as rounds, (select count(*) from SignIn)"
                        " as signs, (select count(*) from SignInTime) as arrivals, (select count(*) from"
                        " Employees where ifnull(sign, '0') = cast((select count(*) from SignInRound) as "
                        "text)) as marked"),
                    {"rounds", "signs", "arrivals", "marked"});
        ASSERT_GE(now[0], stored) << "a committed sign-in was lost";
        rounds = now[0];
        EXPECT_EQ(now[1], 249 * rounds);
        EXPECT_EQ(now[2], 249 * rounds);
        EXPECT_EQ(now[3], 249);
    }
}

TEST_F(CrashSafetyTest, AnImportOf1000DelegatesIsStoredWholeOrNotAtAll)
{
    qint64 imports = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        const int stored = killWriter("import", int(imports) + 1);
        expectSound();
        const QList<qint64> now =
            numbers(QStringLiteral("select count(*) as rows, count(distinct Unit) as imports from Employees"),
                    {"rows", "imports"});
        ASSERT_EQ(now[0] % 1000, 0) << "a part of an import was stored";
        ASSERT_GE(now[1], stored) << "a committed import was lost";
        imports = now[1];
        EXPECT_EQ(now[0], 1000 * imports);
    }
}

TEST_F(CrashSafetyTest, AResultUpdateKeepsItsFieldsTogether)
{
    ASSERT_TRUE(
        DbAccess::executeOnce(kDatabase, QStringLiteral("insert into Overture(id, OveName) values(1, 'M')")));
    qint64 generation = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        const int stored = killWriter("result", int(generation) + 1);
        expectSound();
        const auto rows = DbAccess::selectOnce(kDatabase, QStringLiteral("select * from Overture"));
        ASSERT_TRUE(rows && rows->size() == 1);
        const DbRow& row = rows->first();
        EXPECT_EQ(row.text("VoteState"), row.text("result"));
        EXPECT_EQ(row.text("PollTimel"),
                  MotionTable::storedTime(
                      QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(row.text("result").toLongLong())));
        ASSERT_GE(row.text("result").toLongLong(), stored) << "a committed result was lost";
        generation = row.text("result").toLongLong();
    }
}

} // namespace
