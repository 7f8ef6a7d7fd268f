// Figures for the sign-in: the attendance of 249 units written in one
// transaction (249 updates, 249 SignIn rows, 249 arrival times and the round
// summary), and one count of the figures with both name lists.

#include "BenchFolder.h"
#include "BenchMain.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "meeting/AttendanceTable.h"
#include "meeting/SignInCount.h"
#include "support/MemoryPipe.h"

#include <QCoreApplication>

namespace {

constexpr int kUnits = 249;

void BM_AttendanceRoundOf249Units(benchmark::State& state)
{
    prepareBenchFolder(kUnits);
    AttendanceTable table;
    table.setMeeting("Bench");
    QStringList marks;
    QList<Arrival> arrivals;
    for (int n = 1; n <= kUnits; ++n) {
        marks << (n % 5 ? QStringLiteral("Signed in") : QStringLiteral("Absent"));
        arrivals.append({n, QStringLiteral("20260301090000"), ArrivalHow::kKey});
    }
    const SignInRoundRecord round{"20260301090000", "20260301091500", false, kUnits, 200, "1"};
    for (auto _ : state)
        if (!table.writeRound(marks, arrivals, round))
            state.SkipWithError("write failed");
}
BENCHMARK(BM_AttendanceRoundOf249Units)->Unit(benchmark::kMillisecond);

void BM_FiguresAndNameListsOf249Units(benchmark::State& state)
{
    MemoryPortBank bank;
    Link link(bank.factory());
    link.setUnitCount(kUnits);
    QHash<int, QString> names;
    for (int n = 1; n <= kUnits; ++n) {
        link.setSignedIn(n, n % 3 != 0);
        names.insert(n, QStringLiteral("Delegate %1").arg(n));
    }
    for (auto _ : state) {
        const SignInCount::Figures figures =
            SignInCount::figures(SignInCount::countPresent(link), {.due = 249, .legalRatio = 67});
        benchmark::DoNotOptimize(figures);
        benchmark::DoNotOptimize(SignInCount::names(link, names, SignInCount::NameList::SignedIn));
        benchmark::DoNotOptimize(SignInCount::names(link, names, SignInCount::NameList::Absent));
    }
}
BENCHMARK(BM_FiguresAndNameListsOf249Units)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
