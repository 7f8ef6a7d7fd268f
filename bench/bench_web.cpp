// The web view under a crowd, in real time: the console polls a 249-unit hall
// simulated in this process while the vote's count changes the hall's state
// ten times a second, and 200 WebSocket viewers follow it (a child process at
// the lowest priority, on loopback, standing in for browsers on other
// machines). Run twice, without and with the web view. Prints the change
// latency from the model's call to each viewer (median, 99th percentile), the
// console's extra CPU, the memory per viewer and the spacing of the polls;
// exits 1 when the median spacing leaves 30 ms ± 3 %. Run by hand:
//     build/bench/bench_web [viewers] [seconds]

#include "link/LinkTiming.h"
#include "support/SimulatorProcess.h"
#include "web/HallState.h"
#include "web/PolledVote.h"
#include "web/WebCrowd.h"
#include "web/WebServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kStepMs = 100;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// The child: opens the sockets, says "ready", and on end of input prints "mark time" per arrival.
int runViewers(const QUrl& url, int count)
{
    WebCrowd crowd;
    if (!crowd.open(url, count, 25, 20000)) {
        std::fprintf(stderr, "viewers: %d of %d connected\n", crowd.connected(), count);
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    while (std::fgets(line, sizeof line, stdin)) // the console writes nothing; end of input ends the run
        ;
    for (const WebCrowd::Arrival& arrival : crowd.arrivals())
        std::printf("%d %lld\n", arrival.mark, static_cast<long long>(arrival.atNs));
    return 0;
}

struct Run
{
    double cpuPercent = 0;
    std::vector<double> spacingMs;
    std::vector<double> latencyMs;
    long rssBeforeKb = 0;
    long rssWithViewersKb = 0;
    int viewers = 0;
    int steps = 0;
};

bool measure(bool web, int viewerCount, int seconds, const QString& self, Run& result)
{
    PolledVote vote;
    if (!vote.start(30000)) {
        std::fprintf(stderr, "the simulated hall did not come up\n");
        return false;
    }
    HallState state;
    WebServer server(state);
    QProcess viewers;
    viewers.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (web) {
        QString error;
        const QUrl live = WebCrowd::serve(server, &error);
        if (live.isEmpty()) {
            std::fprintf(stderr, "web view: %s\n", qPrintable(error));
            return false;
        }
        result.rssBeforeKb = rssKb();
        viewers.start(QStringLiteral("nice"), {QStringLiteral("-n19"), self, QStringLiteral("--viewers"),
                                               QString::number(viewerCount), live.toString()});
        if (!runEventsUntil([&] { return viewers.canReadLine() || viewers.state() == QProcess::NotRunning; },
                            60000) ||
            !viewers.readLine().startsWith("ready")) {
            std::fprintf(stderr, "the viewers did not connect\n");
            return false;
        }
        result.viewers = server.clientCount();
        result.rssWithViewersKb = rssKb();
    }
    vote.clearSpacing();
    const double cpuBefore = cpuSeconds();
    vote.run(seconds * 1000, kStepMs, &state);
    result.cpuPercent = 100.0 * (cpuSeconds() - cpuBefore) / seconds;
    result.spacingMs = vote.pollSpacingMs();
    result.steps = int(vote.stepTimesNs().size());
    if (web) {
        runEventsUntil([] { return false; }, 1000); // the last changes arrive
        viewers.closeWriteChannel();
        viewers.waitForFinished(30000);
        const std::vector<qint64>& sentAt = vote.stepTimesNs();
        for (const QByteArray& line : viewers.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            const int mark = fields.value(0).toInt();
            if (fields.size() == 2 && mark >= 0 && mark < int(sentAt.size()))
                result.latencyMs.push_back(double(fields[1].toLongLong() - sentAt[size_t(mark)]) / 1e6);
        }
    }
    return true;
}

void printSpacing(const char* name, const std::vector<double>& spacing)
{
    std::printf("poll spacing %-12s %zu polls, median %.2f ms, p1 %.2f, p99 %.2f, max %.2f; "
                "%.1f %% within 30 ms ± 3 %%\n",
                name, spacing.size(), percentile(spacing, 0.5), percentile(spacing, 0.01),
                percentile(spacing, 0.99), percentile(spacing, 1.0),
                100 * shareWithin(spacing, LinkTiming::kFastPaceMs, 0.03));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--viewers"))
        return runViewers(QUrl(arguments[3]), arguments[2].toInt());
    const int viewerCount = arguments.size() > 1 ? arguments[1].toInt() : 200;
    const int seconds = arguments.size() > 2 ? arguments[2].toInt() : 10;

    Run quiet;
    Run busy;
    if (!measure(false, 0, seconds, arguments[0], quiet) ||
        !measure(true, viewerCount, seconds, arguments[0], busy))
        return 2;
    std::printf("viewers connected             %d\n", busy.viewers);
    std::printf("changes timed                 %zu (%d steps x viewers)\n", busy.latencyMs.size(),
                busy.steps);
    std::printf("change latency median / p99   %.2f / %.2f ms (max %.2f)\n", percentile(busy.latencyMs, 0.5),
                percentile(busy.latencyMs, 0.99), percentile(busy.latencyMs, 1.0));
    std::printf("console CPU without / with    %.2f / %.2f %% of one core (extra %.2f)\n", quiet.cpuPercent,
                busy.cpuPercent, busy.cpuPercent - quiet.cpuPercent);
    std::printf("memory with viewers           +%ld KB, %.1f KB per viewer\n",
                busy.rssWithViewersKb - busy.rssBeforeKb,
                busy.viewers ? double(busy.rssWithViewersKb - busy.rssBeforeKb) / busy.viewers : 0.0);
    printSpacing("without web", quiet.spacingMs);
    printSpacing("with web", busy.spacingMs);
    const double median = percentile(busy.spacingMs, 0.5);
    return std::abs(median - LinkTiming::kFastPaceMs) <= LinkTiming::kFastPaceMs * 0.03 ? 0 : 1;
}
