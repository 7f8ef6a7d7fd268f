// Figures for the automatic backup after a round: the system database and a
// meeting of 249 delegates signed in and 200
// voted motions with their record, copied through SQLite's backup API.

#include "BenchFolder.h"
#include "data/Backup.h"
#include "data/EventLog.h"
#include "meeting/AttendanceTable.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kUnits = 249;
constexpr int kMotions = 200;

void fillMeeting()
{
    prepareBenchFolder(kUnits);
    {
        DbAccess db;
        db.connect(Schema::meetingDatabasePath("Bench"));
        DbTransaction transaction(db);
        for (int n = 1; n <= kMotions; ++n)
            db.execute(
                "insert into Overture(OveName, OveType, result, VoteState, PollTimel, insertdate)"
                " values(?, 'Motion vote', '1:249:240:200:30:10:0:83.33%:12.50%:4.17%:Passed:', 'Voted',"
                " '2026/03/01/-10:00:00', ?)",
                {QStringLiteral("Motion %1 of the annual assembly").arg(n), QString::number(n)});
        transaction.commit();
    }
    QStringList marks;
    QList<Arrival> arrivals;
    for (int n = 1; n <= kUnits; ++n) {
        marks << QStringLiteral("Signed in");
        arrivals.append({n, QStringLiteral("20260301090000"), ArrivalHow::kKey});
    }
    AttendanceTable table;
    table.setMeeting("Bench");
    table.writeRound(marks, arrivals, {"20260301085900", "20260301091500", false, kUnits, kUnits, "1"});
    for (int n = 1; n <= kMotions; ++n) {
        DbAccess db;
        EventLog::connect(db, Schema::meetingDatabasePath("Bench"));
        DbTransaction transaction(db);
        EventLog::append(db, EventLog::kVoteEnded, QStringLiteral("motion %1 result ...").arg(n),
                         "20260301100000");
        transaction.commit();
    }
}

void BM_BackupAfterARoundOf249DelegatesAnd200Motions(benchmark::State& state)
{
    fillMeeting();
    for (auto _ : state)
        Backup::afterRound("Bench");
}
BENCHMARK(BM_BackupAfterARoundOf249DelegatesAnd200Motions)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
