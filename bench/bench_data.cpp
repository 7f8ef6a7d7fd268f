// Figures for the data layer: one open-query-close on the system database, and
// the attendance of 249 units (498 statements) written in one transaction.

#include "BenchFolder.h"
#include "BenchMain.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"

#include <QCoreApplication>

namespace {

void BM_SettingsOpenQueryClose(benchmark::State& state)
{
    prepareBenchFolder();
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
    prepareBenchFolder();
    const QString path = Schema::meetingDatabasePath("Bench");
    for (auto _ : state) {
        DbAccess db;
        db.connect(path);
        DbTransaction transaction(db);
        for (int unit = 1; unit <= 249; ++unit) {
            db.execute("update Employees set sign = ? where CellNo = ?", {QStringLiteral("Present"), unit});
            db.execute("insert into SignIn(CellNo, sign) values(?, ?)", {QString::number(unit), "Present"});
        }
        transaction.commit();
        db.disconnect();
    }
}
BENCHMARK(BM_AttendanceOf249Units)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
