// The web view under a crowd, in real time: the console polls a 249-unit hall
// simulated in this process and runs a vote whose live count changes the
// hall's state ten times a second, while 200 WebSocket clients (a child
// process, on loopback) follow it. Prints the change latency from the call to
// each client (median, 99th percentile), the console's extra CPU against the
// same run without the web view, the memory per client, and the spacing of
// the polls; exits non-zero when a poll spacing leaves 30 ms ± 3 %.
//     build/bench/bench_web [clients] [seconds]

#include "core/TimerService.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "support/SimulatorProcess.h"
#include "training/TrainingHall.h"
#include "web/HallState.h"
#include "web/WebServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QWebSocket>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kUnits = 249;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

template <typename T> T percentile(std::vector<T> values, double p)
{
    if (values.empty())
        return T();
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

// The child: opens the sockets, notes when each numbered heading arrives, and
// prints "seq time" lines after the given seconds.
int runClients(int count, const QString& url, int seconds)
{
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    std::vector<std::pair<int, qint64>> arrivals;
    int open = 0;
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QWebSocket>();
        QObject::connect(socket.get(), &QWebSocket::connected, [&] {
            if (++open == count) {
                std::printf("ready\n");
                std::fflush(stdout);
            }
        });
        QObject::connect(socket.get(), &QWebSocket::textMessageReceived, [&](const QString& message) {
            const qint64 at = nowNs();
            const int mark = message.indexOf(QStringLiteral("\"heading\":\"#"));
            if (mark >= 0)
                arrivals.emplace_back(message.mid(mark + 12, 8).section(QLatin1Char('"'), 0, 0).toInt(), at);
        });
        socket->open(QUrl(url));
        sockets.push_back(std::move(socket));
    }
    runEventsUntil([] { return false; }, seconds * 1000);
    for (const auto& [seq, at] : arrivals)
        std::printf("%d %lld\n", seq, static_cast<long long>(at));
    return 0;
}

struct Run
{
    double cpuPercent = 0;
    std::vector<double> spacingMs;
    std::vector<double> latencyMs;
    long rssBeforeKb = 0;
    long rssWithClientsKb = 0;
    int clients = 0;
};

Run run(bool web, int clientCount, int seconds, const QString& self)
{
    Run result;
    TimerService& timers = programTimers();
    TrainingHall hall(kUnits, 1, timers);
    Link link;
    link.setPipeFactory(hall.pipeFactory());
    link.start(1, 1, kUnits, 1);
    if (!runEventsUntil([&] { return link.operatingMode == LinkMode::Idle && link.linkConnected; }, 60000)) {
        std::fprintf(stderr, "the simulated hall did not come up\n");
        return result;
    }

    HallState state;
    WebServer server(state);
    QProcess clients;
    if (web) {
        result.rssBeforeKb = rssKb();
        QString error;
        if (!server.start(QHostAddress(QHostAddress::LocalHost), 0, &error)) {
            std::fprintf(stderr, "web view: %s\n", qPrintable(error));
            return result;
        }
        clients.start(self, {QStringLiteral("--clients"), QString::number(clientCount),
                             QString::number(seconds + 15),
                             server.pageUrl(QStringLiteral("live"))
                                 .toString()
                                 .replace(QStringLiteral("http:"), QStringLiteral("ws:"))});
        if (!runEventsUntil([&] { return clients.canReadLine() && clients.readLine().startsWith("ready"); },
                            60000)) {
            std::fprintf(stderr, "the clients did not connect\n");
            return result;
        }
        result.clients = server.clientCount();
        result.rssWithClientsKb = rssKb();
    }

    // The vote: a few units press each tenth of a second; the page shows the count.
    qint64 lastFrame = 0;
    QObject::connect(&link, &Link::frameSent, [&] {
        const qint64 at = nowNs();
        if (lastFrame)
            result.spacingMs.push_back((at - lastFrame) / 1e6);
        lastFrame = at;
    });
    link.request(*Commands::voteStart(0));
    std::vector<qint64> sentAt;
    const double cpuBefore = cpuSeconds();
    const qint64 start = nowNs();
    int pressed = 0;
    while (nowNs() - start < qint64(seconds) * 1000000000) {
        QList<int> units;
        for (int i = 0; i < 3 && pressed < kUnits; ++i)
            units.append(++pressed);
        if (!units.isEmpty())
            hall.press(units, pressed % 3);
        const int seq = int(sentAt.size());
        sentAt.push_back(nowNs());
        state.setHeading(QStringLiteral("#%1").arg(seq), Qt::white);
        state.setChart(QStringLiteral("Due:Present:Yes:No:Abstain:Unpressed:"),
                       QStringLiteral("0:249:249:%1:%2:%3:%4:")
                           .arg(pressed / 3)
                           .arg(pressed / 3)
                           .arg(pressed / 3)
                           .arg(kUnits - pressed),
                       Qt::white);
        runEventsUntil([] { return false; }, 100);
    }
    result.cpuPercent = 100.0 * (cpuSeconds() - cpuBefore) / seconds;
    link.request(Commands::voteEnd());
    runEventsUntil([] { return false; }, 500);

    if (web) {
        clients.waitForFinished(60000);
        for (const QByteArray& line : clients.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() != 2)
                continue;
            const int seq = fields[0].toInt();
            if (seq >= 0 && seq < int(sentAt.size()))
                result.latencyMs.push_back((fields[1].toLongLong() - sentAt[seq]) / 1e6);
        }
    }
    link.stop();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 5 && arguments[1] == QLatin1String("--clients"))
        return runClients(arguments[2].toInt(), arguments[4], arguments[3].toInt());
    const int clientCount = arguments.size() > 1 ? arguments[1].toInt() : 200;
    const int seconds = arguments.size() > 2 ? arguments[2].toInt() : 10;

    const Run quiet = run(false, 0, seconds, arguments[0]);
    const Run busy = run(true, clientCount, seconds, arguments[0]);
    const double designed = LinkTiming::kFastPaceMs;
    auto outside = [designed](const std::vector<double>& spacing) {
        return std::count_if(spacing.begin(), spacing.end(),
                             [designed](double ms) { return std::abs(ms - designed) > designed * 0.03; });
    };
    std::printf("clients connected            %d\n", busy.clients);
    std::printf("changes delivered            %zu\n", busy.latencyMs.size());
    std::printf("change latency median / p99  %.2f / %.2f ms\n", percentile(busy.latencyMs, 0.5),
                percentile(busy.latencyMs, 0.99));
    std::printf("console CPU without / with   %.2f / %.2f %% of one core (extra %.2f)\n", quiet.cpuPercent,
                busy.cpuPercent, busy.cpuPercent - quiet.cpuPercent);
    std::printf("memory per client            %.1f KB\n",
                busy.clients ? double(busy.rssWithClientsKb - busy.rssBeforeKb) / busy.clients : 0.0);
    for (const Run* r : {&quiet, &busy})
        std::printf(
            "poll spacing %-15s median %.2f ms, p1 %.2f, p99 %.2f, max %.2f; %ld of %zu outside ±3 %%\n",
            r == &quiet ? "without web" : "with web", percentile(r->spacingMs, 0.5),
            percentile(r->spacingMs, 0.01), percentile(r->spacingMs, 0.99), percentile(r->spacingMs, 1.0),
            long(outside(r->spacingMs)), r->spacingMs.size());
    return outside(busy.spacingMs) == 0 ? 0 : 1;
}
