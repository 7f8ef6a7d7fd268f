// What the speaking time costs while it runs: the speaking page with its seat
// map and hall-screen line, on real timers, for 20 s with no microphone open
// and 20 s with eight open and timed (rings redrawn, the line counting down).
// Prints the processor time of each run as a share of the wall time.
//
//     build/bench/bench_speaking_timer [seconds]

#include "BenchFolder.h"
#include "core/TimerService.h"
#include "link/Link.h"
#include "link/LinkTestSeam.h"
#include "screen/FrmScr.h"
#include "speak/FrmMootset.h"
#include "speak/SeatLayout.h"
#include "support/MemoryPipe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Percent of one processor used while the event loop runs for `seconds`.
double share(int seconds)
{
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < seconds * 1000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return 100.0 * (cpuSeconds() - before) / (wall.elapsed() / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? qMax(1, atoi(argv[1])) : 20;
    constexpr int kUnits = 40;
    prepareBenchFolder(kUnits);
    SeatLayout::grid(kUnits).save(ProgramFolder::filePath(QStringLiteral("System/seat.ini")));
    DbAccess::executeOnce(Schema::kSystemDatabase,
                          QStringLiteral("update sysbasicset set SeatYesORNo = 'yes', SpeakLimit = 300"));
    MemoryPortBank bank;
    Link link(bank.factory());
    link.setUnitCount(kUnits);
    link.setChairCount(1);
    for (int n = 1; n <= kUnits; ++n)
        link.setOnline(n, true);
    FrmScr screen;
    FrmMootset page(link, programTimers(), screen);
    page.loadDelegates(QStringLiteral("Bench"));
    page.show();
    page.setPromptOn(true);

    const double idle = share(seconds);
    for (int unit = 2; unit <= 9; ++unit) {
        LinkTestSeam::unit(link, unit).micOn = true;
        page.speakingLog().opened(unit, SpeechTable::OpenedBy::Unit);
    }
    const double timed = share(seconds);
    std::printf("speaking page, no microphone open:    %.3f %% CPU\n", idle);
    std::printf("speaking page, 8 microphones timed:   %.3f %% CPU\n", timed);
    std::printf("the timing of 8 microphones adds:     %.3f %% CPU\n", timed - idle);
    return 0;
}
