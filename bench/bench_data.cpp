// Figures for the data layer: one open-query-close on the system database, and
// the attendance of 249 units (498 statements) written in one transaction.

#include "data/DbAccess.h"
#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* g_folder = nullptr;

void prepareFolder()
{
    if (g_folder)
        return;
    g_folder = new QTemporaryDir;
    ProgramFolder::set(g_folder->path());
    Schema::ensureSystemDatabase();
    Schema::createMeetingDatabase("Bench");
}

void BM_SettingsOpenQueryClose(benchmark::State& state)
{
    prepareFolder();
    for (auto _ : state) {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        settings.load();
        benchmark::DoNotOptimize(settings.cellnum);
    }
}
BENCHMARK(BM_SettingsOpenQueryClose)->Unit(benchmark::kMicrosecond);

void BM_AttendanceOf249Units(benchmark::State& state)
{
    prepareFolder();
    const QString path = Schema::meetingDatabasePath("Bench");
    for (auto _ : state) {
        DbAccess db;
        db.Connect(path);
        DbTransaction transaction(db);
        for (int unit = 1; unit <= 249; ++unit) {
            db.Execute("update Employees set sign = ? where CellNo = ?", {QStringLiteral("Present"), unit});
            db.Execute("insert into SignIn(CellNo, sign) values(?, ?)", {QString::number(unit), "Present"});
        }
        transaction.commit();
        db.Disconnect();
    }
}
BENCHMARK(BM_AttendanceOf249Units)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    delete g_folder;
    return 0;
}
