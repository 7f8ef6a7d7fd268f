// Figures for the delegate workbook: exporting and importing 250 delegates
// (the whole list of a full installation), each well under 100 ms expected.

#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "prep/DelegateSheet.h"
#include "prep/DelegateTable.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* g_folder = nullptr;
const QStringList kHeadings{"Unit No.", "Name",  "Sex",        "Ethnic group", "Work unit",
                            "Position", "Phone", "Delegation", "Presidium",    "Seat No."};

void prepareFolder()
{
    if (g_folder)
        return;
    g_folder = new QTemporaryDir;
    ProgramFolder::set(g_folder->path());
    Schema::createMeetingDatabase("Bench");
}

QList<QStringList> delegates()
{
    QList<QStringList> rows;
    for (int unit = 1; unit <= 250; ++unit)
        rows.append({QString::number(unit), QStringLiteral("代表 %1 Delegate").arg(unit), "Male", "Han",
                     "People's Congress of the City", "Deputy director", "+86 10 5555 0100",
                     "Northern delegation", "Member",
                     QStringLiteral("R%1-S%2").arg(unit / 20).arg(unit % 20)});
    return rows;
}

void BM_Export250Delegates(benchmark::State& state)
{
    prepareFolder();
    const QList<QStringList> rows = delegates();
    const QString path = g_folder->filePath("export.xlsx");
    for (auto _ : state) {
        const auto outcome = DelegateSheet::exportList(path, kHeadings, rows);
        if (outcome != DelegateSheet::Outcome::Done)
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_Export250Delegates)->Unit(benchmark::kMillisecond);

// Reading and checking the workbook alone.
void BM_Read250Delegates(benchmark::State& state)
{
    prepareFolder();
    const QString path = g_folder->filePath("read.xlsx");
    DelegateSheet::exportList(path, kHeadings, delegates());
    for (auto _ : state) {
        QList<Delegate> records;
        if (DelegateSheet::readImport(path, kHeadings, records) != DelegateSheet::Outcome::Done ||
            records.size() != 250)
            state.SkipWithError("read failed");
    }
}
BENCHMARK(BM_Read250Delegates)->Unit(benchmark::kMillisecond);

// Read, check, and store in one transaction (the commit waits for the disk).
void BM_Import250Delegates(benchmark::State& state)
{
    prepareFolder();
    const QString path = g_folder->filePath("import.xlsx");
    DelegateSheet::exportList(path, kHeadings, delegates());
    DelegateTable table;
    table.setMeeting("Bench");
    for (auto _ : state) {
        state.PauseTiming();
        table.removeAll();
        state.ResumeTiming();
        int count = 0;
        const auto outcome = DelegateSheet::importFile(path, kHeadings, table, QString(), &count);
        if (outcome != DelegateSheet::Outcome::Done || count != 250)
            state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_Import250Delegates)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_folder;
    return 0;
}
