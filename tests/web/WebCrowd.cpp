#include "web/WebCrowd.h"

#include "support/SimulatorProcess.h"
#include "web/WebServer.h"

#include <QWebSocket>
#include <chrono>
#include <sys/resource.h>

qint64 WebCrowd::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QUrl WebCrowd::serve(WebServer& server, QString* error)
{
    WebServer::Limits limits;
    limits.requestsPerSecond = 100000;
    limits.connectionsPerAddress = 100000;
    server.setLimits(limits);
    if (!server.start(QHostAddress(QHostAddress::LocalHost), 0, error))
        return {};
    QUrl live = server.pageUrl(QStringLiteral("live"));
    live.setScheme(QStringLiteral("ws"));
    return live;
}

WebCrowd::WebCrowd()
{
    m_thread.setObjectName(QStringLiteral("web crowd"));
    m_onThread.moveToThread(&m_thread);
    m_thread.start();
}

WebCrowd::~WebCrowd()
{
    QMetaObject::invokeMethod(
        &m_onThread, [this] { m_sockets.clear(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool WebCrowd::open(const QUrl& url, int count, int batch, int timeoutMs)
{
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    for (int first = 0; first < count; first += batch) {
        const int last = std::min(count, first + batch);
        QMetaObject::invokeMethod(&m_onThread, [this, url, first, last] {
            for (int i = first; i < last; ++i) {
                auto socket = std::make_unique<QWebSocket>();
                QObject::connect(socket.get(), &QWebSocket::connected, [this] { ++m_connected; });
                QObject::connect(socket.get(), &QWebSocket::textMessageReceived,
                                 [this, i](const QString& message) { received(i, message); });
                socket->open(url);
                m_sockets.push_back(std::move(socket));
                m_lastMark.push_back(-1);
            }
        });
        if (!runEventsUntil([&] { return m_connected >= last; }, timeoutMs))
            return false;
    }
    return true;
}

void WebCrowd::received(int socket, const QString& message)
{
    const qint64 at = nowNs();
    ++m_messages;
    static const QString kMark = QStringLiteral("\"heading\":\"#");
    const qsizetype found = message.indexOf(kMark);
    if (found < 0)
        return;
    const int mark = message.mid(found + kMark.size(), 12).section(QLatin1Char('"'), 0, 0).toInt();
    if (mark == m_lastMark[socket])
        return;
    m_lastMark[socket] = mark;
    std::lock_guard guard(m_lock);
    m_arrivals.push_back({mark, at});
}

std::vector<WebCrowd::Arrival> WebCrowd::arrivals() const
{
    std::lock_guard guard(m_lock);
    return m_arrivals;
}
