// The two poll paces against unitsim on a pseudo-terminal, in real time:
// one poll cycle over 249 units, and "end vote" (VoteEnd, the closing cycle)
// until the last answer is in, on a clean line and with 1 % noise and 20
// silent units. Prints one line per case; run by hand:
//     build/bench/bench_pace build/bin/unitsim
// The vote session stores its result in the handler of the closing cycle's
// end, so "end vote" to that signal is "end vote" to the stored result.

#include "link/Link.h"
#include "support/SimulatorProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

constexpr int kUnits = 249;

struct Figures
{
    qint64 cycleMs = -1;
    qint64 endVoteMs = -1;
};

Figures measure(const QString& unitsim, bool answerDriven, bool rough)
{
    QTemporaryDir folder;
    SimulatorProcess simulator;
    if (!simulator.start(unitsim, kUnits, 1, folder.filePath(QStringLiteral("unitsim.log"))))
        return {};
    Link link;
    link.setPortOverrides({{1, simulator.terminal()}});
    link.setAnswerDrivenPace(answerDriven);
    link.start(1, 1, kUnits, 1);
    if (!QTest::qWaitFor([&] { return link.operatingMode() == LinkMode::Idle && link.linkConnected(); },
                         60000))
        return {};
    if (rough) {
        simulator.act(QStringLiteral("noise 0.01"));
        simulator.act(QStringLiteral("offline 101-120"));
    }
    Figures figures;
    QElapsedTimer timer;
    bool ended = false;
    QObject::connect(&link, &Link::lineCycleFinished, [&] { ended = true; });
    timer.start();
    link.request(LinkMode::LinePoll);
    if (runEventsUntil([&] { return ended; }, 60000))
        figures.cycleMs = timer.elapsed();

    link.request(Commands::voteStart(0)->mode, Commands::voteStart(0)->word);
    QTest::qWait(100);
    ended = false;
    QObject::connect(&link, &Link::voteCycleFinished, [&] { ended = true; });
    timer.restart();
    link.request(Commands::voteEnd());
    if (runEventsUntil([&] { return ended; }, 60000))
        figures.endVoteMs = timer.elapsed();
    link.stop();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString unitsim = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/bin/unitsim");
    std::printf("%-16s %-22s %12s %16s\n", "pace", "line", "cycle (ms)", "end vote (ms)");
    for (bool rough : {false, true}) {
        for (bool answerDriven : {false, true}) {
            const Figures f = measure(unitsim, answerDriven, rough);
            std::printf("%-16s %-22s %12lld %16lld\n", answerDriven ? "answer-driven" : "designed",
                        rough ? "1% noise, 20 silent" : "clean", static_cast<long long>(f.cycleMs),
                        static_cast<long long>(f.endVoteMs));
            std::fflush(stdout);
        }
    }
    return 0;
}
