// linkprobe: runs the console's conference link without windows against a port
// (a controller or unitsim), for timing and idle-load measurements.
//
//   linkprobe --port PATH [--units N] [--chairs N] [--line-check] [--idle SECONDS]
//
// Prints the start-up poll's duration and the units found, optionally runs one
// line check at the slow pace, then keeps the sequencer running idle and prints
// the CPU time it used.

#include "core/TimerService.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkTiming.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>
#include <utility>

namespace {

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString onlineList(const Link& link)
{
    QStringList units;
    for (int n = 1; n <= link.unitCount(); ++n) {
        if (link.unit(n).online)
            units.append(QString::number(n));
    }
    return units.join(QLatin1Char(','));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Device of port 1."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption units(QStringLiteral("units"), QStringLiteral("Units in use (40)."),
                                   QStringLiteral("N"), QStringLiteral("40"));
    const QCommandLineOption chairs(QStringLiteral("chairs"), QStringLiteral("Chairman units (1)."),
                                    QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption lineCheck(QStringLiteral("line-check"), QStringLiteral("Run one line check."));
    const QCommandLineOption idle(QStringLiteral("idle"), QStringLiteral("Seconds to stay idle (10)."),
                                  QStringLiteral("SECONDS"), QStringLiteral("10"));
    parser.addOptions({port, units, chairs, lineCheck, idle});
    parser.process(app);
    if (!parser.isSet(port)) {
        std::fprintf(stderr, "linkprobe: --port PATH is required\n");
        return 2;
    }
    Link link;
    link.setPortOverrides({{1, parser.value(port)}});
    QElapsedTimer clock;
    clock.start();
    qint64 phaseStart = 0;
    double idleCpuStart = 0;
    const int idleSeconds = parser.value(idle).toInt();
    auto timers = std::vector<std::unique_ptr<Timer>>();
    auto after = [&](int ms, std::function<void()> action) {
        timers.push_back(programTimers().createTimer(std::move(action), true));
        timers.back()->start(ms);
    };

    auto startIdle = [&] {
        std::printf("idle: %d s with the sequencer running at %d ms\n", idleSeconds,
                    link.sequencerInterval());
        std::fflush(stdout);
        idleCpuStart = cpuSeconds();
        after(idleSeconds * 1000, [&] {
            const double used = cpuSeconds() - idleCpuStart;
            std::printf("idle cpu: %.3f s in %d s = %.2f%%\n", used, idleSeconds, 100.0 * used / idleSeconds);
            std::printf("frames sent %llu, received %llu, bytes discarded %llu\n",
                        (unsigned long long)link.framesSent(), (unsigned long long)link.framesReceived(),
                        (unsigned long long)link.bytesDiscarded());
            QCoreApplication::exit(0);
        });
    };

    // Line check as the line-check window runs it; the link's signal ends it.
    bool checking = false;
    QObject::connect(&link, &Link::lineCycleFinished, [&] {
        if (!std::exchange(checking, false))
            return;
        const qint64 took = clock.elapsed() - phaseStart;
        std::printf("line check: %lld ms for %d units (%.1f ms per unit), online %d: %s\n", (long long)took,
                    link.unitCount(), double(took) / qMax(1, link.unitCount()), link.onlineCount(),
                    qPrintable(onlineList(link)));
        after(LinkTiming::kLineCheckControlEndDelayMs, [&] {
            link.request(Commands::controlEnd());
            link.setSequencerPace(false);
            startIdle();
        });
    });

    QObject::connect(&link, &Link::startupPollFinished, [&] {
        std::printf("start-up poll: %lld ms after start, port %s, online %d of %d: %s\n",
                    (long long)clock.elapsed(), qPrintable(link.portPath()), link.onlineCount(),
                    link.unitCount(), qPrintable(onlineList(link)));
        std::fflush(stdout);
        after(1000, [&] {
            if (!parser.isSet(lineCheck)) {
                startIdle();
                return;
            }
            link.setSequencerPace(true);
            link.clearOnline();
            link.request(Commands::controlBegin());
            after(LinkTiming::kLineCheckCycleDelayMs, [&] {
                link.request(LinkMode::LinePoll);
                phaseStart = clock.elapsed();
                checking = true;
            });
        });
    });
    std::unique_ptr<Timer> failure = programTimers().createTimer([&] {
        if (link.searchFailed()) {
            std::fprintf(stderr, "linkprobe: no controller on %s\n", qPrintable(parser.value(port)));
            QCoreApplication::exit(1);
        }
    });
    failure->start(100);
    link.start(1, 1, parser.value(units).toInt(), parser.value(chairs).toInt());
    return app.exec();
}
