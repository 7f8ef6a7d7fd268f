// Figures for the speaking page's seat map: one 100 ms refresh of 249 seats
// from the unit table, when nothing changed and when three microphones did
// (the changed seats repainted as the window would).

#include "BenchMain.h"
#include "link/Link.h"
#include "link/LinkTestSeam.h"
#include "speak/MicrophoneControl.h"
#include "speak/SeatLayout.h"
#include "speak/SeatMap.h"
#include "support/MemoryPipe.h"
#include "support/VirtualTimerService.h"

#include <QApplication>

namespace {

constexpr int kUnits = 249;

void refresh(benchmark::State& state, int changesPerRefresh)
{
    VirtualTimerService clock;
    installTimers(&clock);
    MemoryPortBank bank;
    Link link(bank.factory());
    link.setUnitCount(kUnits);
    for (int n = 1; n <= kUnits; ++n)
        link.setOnline(n, true);
    SeatMap map;
    map.setSeats(SeatLayout::grid(kUnits, {15, 10, 20}));
    map.resize(800, 1300);
    map.show();
    QCoreApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        for (int k = 0; k < changesPerRefresh; ++k)
            LinkTestSeam::unit(link, 1 + (round * 7 + k * 31) % kUnits).micOn ^= true;
        map.setStates(MicrophoneControl::seatStates(link));
        QCoreApplication::processEvents(); // the repaint of what changed
        ++round;
    }
    installTimers(nullptr);
}

void BM_RefreshNothingChanged(benchmark::State& state)
{
    refresh(state, 0);
}
void BM_RefreshThreeMicrophonesChanged(benchmark::State& state)
{
    refresh(state, 3);
}
BENCHMARK(BM_RefreshNothingChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshThreeMicrophonesChanged)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
