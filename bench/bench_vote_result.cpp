// Figures for the vote's display side: one count and result string over 249
// units (motion vote and five-way election), and one refresh of the key
// monitor listing 249 units, with and without painting the list.

#include "BenchFolder.h"
#include "BenchMain.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "link/LinkTestSeam.h"
#include "meeting/FrmKeyMonitor.h"
#include "meeting/KeyMonitorModel.h"
#include "meeting/VoteCount.h"
#include "support/MemoryPipe.h"
#include "support/VirtualTimerService.h"

#include <QApplication>
#include <QTableWidget>

namespace {

constexpr int kUnits = 249;

// Every unit pressed something: single keys, some two keys, some none.
void pressKeys(Link& link, int round)
{
    link.setUnitCount(kUnits);
    for (int n = 1; n <= kUnits; ++n)
        LinkTestSeam::unit(link, n).voteKeys =
            (n + round) % 9 == 0 ? 0 : ((n + round) % 13 == 0 ? 3 : 1 << ((n + round) % 5));
}

QList<int> keysOf(const Link& link)
{
    QList<int> keys;
    for (int n = 1; n <= link.unitCount(); ++n)
        keys.append(link.unit(n).voteKeys);
    return keys;
}

void countAndResult(benchmark::State& state, int kind)
{
    MemoryPortBank bank;
    Link link(bank.factory());
    pressKeys(link, 0);
    const VoteCount::Rules rules{"Passed", "Not passed"};
    Motion motion;
    motion.unpressedAbstains = true;
    motion.base = VoteBase::Present;
    motion.strictRule = true;
    motion.threshold = 50;
    for (auto _ : state) {
        const VoteCount::Counts counts = VoteCount::count(kind, keysOf(link));
        benchmark::DoNotOptimize(VoteCount::outcome(kind, counts, kUnits, 240, motion, rules).result);
    }
}

void BM_MotionVoteCountAndResultOf249Units(benchmark::State& state)
{
    countAndResult(state, 0);
}
BENCHMARK(BM_MotionVoteCountAndResultOf249Units)->Unit(benchmark::kMicrosecond);

void BM_ElectionCountAndResultOf249Units(benchmark::State& state)
{
    countAndResult(state, 4);
}
BENCHMARK(BM_ElectionCountAndResultOf249Units)->Unit(benchmark::kMicrosecond);

void BM_KeyStateTextsOf249Units(benchmark::State& state)
{
    MemoryPortBank bank;
    Link link(bank.factory());
    pressKeys(link, 0);
    const KeyMonitor::StateTexts texts;
    for (auto _ : state)
        benchmark::DoNotOptimize(KeyMonitor::keyStateTexts(KeyMonitor::keyStates(link, 0), texts));
}
BENCHMARK(BM_KeyStateTextsOf249Units)->Unit(benchmark::kMicrosecond);

// The keys change between refreshes, so every refresh rewrites texts.
void monitorRefresh(benchmark::State& state, bool paint)
{
    prepareBenchFolder(kUnits);
    MemoryPortBank bank;
    Link link(bank.factory());
    pressKeys(link, 0);
    VirtualTimerService timers;
    FrmKeyMonitor monitor(link, timers, "Bench", 0);
    monitor.show();
    auto* list = monitor.findChild<QTableWidget*>(FrmKeyMonitor::kList);
    int round = 0;
    for (auto _ : state) {
        pressKeys(link, ++round);
        monitor.refresh();
        if (paint)
            benchmark::DoNotOptimize(list->grab());
    }
}

void BM_MonitorRefreshOf249Units(benchmark::State& state)
{
    monitorRefresh(state, false);
}
BENCHMARK(BM_MonitorRefreshOf249Units)->Unit(benchmark::kMillisecond);

void BM_MonitorRefreshAndPaintOf249Units(benchmark::State& state)
{
    monitorRefresh(state, true);
}
BENCHMARK(BM_MonitorRefreshAndPaintOf249Units)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
