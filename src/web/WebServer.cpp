#include "web/WebServer.h"

#include "web/HallState.h"
#include "web/WebServerCore.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>
#include <algorithm>
#include <sys/resource.h>

namespace {

// The pages and what they are made of; nothing else is ever served.
struct Resource
{
    const char* path;
    const char* file;
    const char* type;
};
constexpr Resource kResources[] = {
    {"/hall", ":/web/hall.html", "text/html; charset=utf-8"},
    {"/chair", ":/web/chair.html", "text/html; charset=utf-8"},
    {"/overlay", ":/web/overlay.html", "text/html; charset=utf-8"},
    {"/web.js", ":/web/web.js", "text/javascript; charset=utf-8"},
    {"/web.css", ":/web/web.css", "text/css; charset=utf-8"},
};

constexpr char kLivePath[] = "/live";

const Resource* findResource(const QString& path)
{
    for (const Resource& resource : kResources)
        if (path == QLatin1String(resource.path))
            return &resource;
    return nullptr;
}

void answer(QHttpServerResponder& responder, QHttpServerResponder::StatusCode status, const QByteArray& type,
            const QByteArray& body)
{
    // The code is in the address: no page may hand it on, and no cache keeps it.
    responder.write(
        body,
        {{"Content-Type", type},
         {"Cache-Control", "no-store"},
         {"Referrer-Policy", "no-referrer"},
         {"X-Content-Type-Options", "nosniff"},
         {"Content-Security-Policy", "default-src 'self'; connect-src 'self' ws:; img-src 'self' data:; "
                                     "frame-ancestors 'none'"}},
        status);
}

} // namespace

// ---- RequestGate -------------------------------------------------------------------

RequestGate::RequestGate(const WebServer::Limits& limits, QObject* parent)
    : QTcpServer(parent), m_limits(limits), m_sweep(new QTimer(this))
{
    connect(m_sweep, &QTimer::timeout, this, &RequestGate::sweep);
    m_sweep->start(std::max(100, m_limits.requestTimeoutMs / 4));
}

void RequestGate::incomingConnection(qintptr handle)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    const QString address = socket->peerAddress().toString();
    if (isBlocked(socket->peerAddress()) || m_connections.size() >= m_limits.connections ||
        m_openByAddress.value(address) >= m_limits.connectionsPerAddress) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    Connection connection;
    connection.address = address;
    connection.waiting.start();
    m_connections.insert(socket, connection);
    ++m_openByAddress[address];
    // Connected before the HTTP server's own handler, so it sees the bytes first.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { inspect(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] { forget(socket); });
    addPendingConnection(socket);
}

void RequestGate::forget(QTcpSocket* socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    if (--m_openByAddress[found->address] <= 0)
        m_openByAddress.remove(found->address);
    m_connections.erase(found);
}

void RequestGate::release(QTcpSocket* socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    found->released = true;
    found->waiting.invalidate();
}

void RequestGate::sweep()
{
    QList<QTcpSocket*> late;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it)
        if (it->waiting.isValid() && it->waiting.elapsed() > m_limits.requestTimeoutMs)
            late.append(it.key());
    for (QTcpSocket* socket : late)
        refuse(socket, QByteArrayLiteral("HTTP/1.1 408 Request Timeout"));
}

void RequestGate::inspect(QTcpSocket* socket)
{
    auto found = m_connections.find(socket);
    if (found == m_connections.end() || found->released)
        return;
    Connection& connection = *found;
    const QByteArray fresh = socket->peek(socket->bytesAvailable());
    const QByteArray seen = connection.tail + fresh;
    const qsizetype freshStart = connection.tail.size(); // the tail was counted last time
    static const QByteArray kEnd = QByteArrayLiteral("\r\n\r\n");
    qint64 pending = connection.headerBytes;
    bool tooLarge = false;
    bool overRate = false;
    qsizetype from = 0;
    for (qsizetype end = seen.indexOf(kEnd); end >= 0; end = seen.indexOf(kEnd, from)) {
        pending += end + kEnd.size() - qMax(from, freshStart);
        tooLarge = tooLarge || pending > m_limits.maxHeaderBytes;
        pending = 0;
        overRate = countRequest(socket->peerAddress()) || overRate;
        from = end + kEnd.size();
    }
    pending += seen.size() - qMax(from, freshStart);
    connection.headerBytes = pending;
    connection.tail = seen.right(3);
    // A finished request stops the clock (a WebSocket then stays open as long as it reads);
    // bytes of a new one start it again.
    if (pending > 0 && (from > 0 || !connection.waiting.isValid()))
        connection.waiting.start();
    else if (pending == 0)
        connection.waiting.invalidate();
    if (overRate || isBlocked(socket->peerAddress()))
        refuse(socket, QByteArrayLiteral("HTTP/1.1 429 Too Many Requests"));
    else if (tooLarge || pending > m_limits.maxHeaderBytes)
        refuse(socket, QByteArrayLiteral("HTTP/1.1 431 Request Header Fields Too Large"));
}

bool RequestGate::countRequest(const QHostAddress& address)
{
    Client& client = m_clients[address.toString()];
    if (!client.window.isValid() || client.window.elapsed() >= 1000) {
        // A quiet second lifts a block; a client still flooding stays refused.
        client.blocked = client.blocked && client.requests > m_limits.requestsPerSecond;
        client.window.start();
        client.requests = 0;
    }
    ++client.requests;
    if (client.requests > m_limits.requestsPerSecond)
        client.blocked = true;
    return client.blocked;
}

bool RequestGate::isBlocked(const QHostAddress& address)
{
    const auto found = m_clients.constFind(address.toString());
    if (found == m_clients.constEnd() || !found->blocked)
        return false;
    if (found->window.elapsed() < 2000)
        return true;
    m_clients.remove(address.toString());
    return false;
}

void RequestGate::refuse(QTcpSocket* socket, const QByteArray& statusLine)
{
    // Drained first, so the HTTP server never parses what follows; counted out now, as
    // cutting every signal of the socket cuts the one that would count it out later.
    socket->readAll();
    forget(socket);
    socket->disconnect();
    socket->write(statusLine + QByteArrayLiteral("\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"));
    socket->disconnectFromHost();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

// ---- WebServerCore ------------------------------------------------------------------

WebServerCore::WebServerCore(const WebServer::Limits& limits, const QString& code,
                             const QJsonObject& snapshot)
    : m_limits(limits), m_code(code), m_snapshot(snapshot)
{
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &WebServerCore::acceptSockets);
}

WebServerCore::~WebServerCore() = default;

quint16 WebServerCore::open(const QHostAddress& address, quint16 port, QString* error)
{
    m_gate = new RequestGate(m_limits, this);
    if (!m_gate->listen(address, port)) {
        if (error)
            *error = m_gate->errorString();
        delete m_gate;
        m_gate = nullptr;
        return 0;
    }
    bind(m_gate);
    return m_gate->serverPort();
}

bool WebServerCore::hasCode(const QUrl& url) const
{
    return QUrlQuery(url).queryItemValue(QStringLiteral("code")) == m_code;
}

bool WebServerCore::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // For an upgrade, "handled" lets the WebSocket server take the socket; a refused one
    // is answered by missingHandler.
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
        const bool accepted = request.url().path() == QLatin1String(kLivePath) && hasCode(request.url());
        if (accepted)
            m_gate->release(socket);
        return accepted;
    }
    serve(request, socket);
    return true;
}

void WebServerCore::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    serve(request, socket);
}

void WebServerCore::serve(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const QString path = request.url().path();
    const Resource* resource = findResource(path);
    if (request.method() != QHttpServerRequest::Method::Get)
        answer(responder, QHttpServerResponder::StatusCode::MethodNotAllowed, "text/plain", "GET only\n");
    else if (!resource && path != QLatin1String(kLivePath))
        answer(responder, QHttpServerResponder::StatusCode::NotFound, "text/plain", "Not found\n");
    else if (!hasCode(request.url()))
        answer(responder, QHttpServerResponder::StatusCode::Forbidden, "text/plain",
               "A viewing code is needed: open the address shown in the console's settings.\n");
    else if (!resource)
        answer(responder, QHttpServerResponder::StatusCode::BadRequest, "text/plain", "WebSocket only\n");
    else {
        QFile file(QString::fromLatin1(resource->file));
        file.open(QIODevice::ReadOnly);
        QByteArray body = file.readAll();
        // The page passes the code on to its script, style and socket.
        body.replace("__CODE__", m_code.toLatin1());
        answer(responder, QHttpServerResponder::StatusCode::Ok, resource->type, body);
    }
}

void WebServerCore::acceptSockets()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (!socket)
            continue;
        // What clients send is never read for meaning; large frames are refused outright.
        socket->setMaxAllowedIncomingFrameSize(1024);
        socket->setMaxAllowedIncomingMessageSize(1024);
        QWebSocket* raw = socket.get();
        connect(raw, &QWebSocket::disconnected, this, [this, raw] { drop(raw); });
        raw->sendTextMessage(QString::fromUtf8(QJsonDocument(m_snapshot).toJson(QJsonDocument::Compact)));
        m_clients.push_back(std::move(socket));
    }
}

void WebServerCore::publish(const QJsonObject& change)
{
    for (auto it = change.constBegin(); it != change.constEnd(); ++it)
        m_snapshot.insert(it.key(), it.value());
    const QString message = QString::fromUtf8(QJsonDocument(change).toJson(QJsonDocument::Compact));
    std::vector<QWebSocket*> stalled;
    for (const auto& client : m_clients) {
        if (client->bytesToWrite() > m_limits.maxQueuedBytes)
            stalled.push_back(client.get());
        else
            client->sendTextMessage(message);
    }
    for (QWebSocket* socket : stalled)
        drop(socket);
}

void WebServerCore::drop(QWebSocket* socket)
{
    const auto found = std::find_if(m_clients.begin(), m_clients.end(),
                                    [socket](const auto& client) { return client.get() == socket; });
    if (found == m_clients.end())
        return;
    QWebSocket* raw = found->release();
    m_clients.erase(found);
    raw->disconnect(this);
    raw->abort();
    raw->deleteLater();
}

// ---- WebServer ----------------------------------------------------------------------

// The pages are compiled into this static library; its resources need a call to register.
static void registerPages()
{
    Q_INIT_RESOURCE(pages);
}

WebServer::WebServer(HallState& state, QObject* parent) : QObject(parent), m_state(state)
{
    registerPages();
    m_thread.setObjectName(QStringLiteral("web view"));
    m_onThread.moveToThread(&m_thread);
}

WebServer::~WebServer()
{
    stop();
}

QString WebServer::newViewingCode()
{
    static const char kAlphabet[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    constexpr int kLength = 10;
    QString code;
    for (int i = 0; i < kLength; ++i)
        code.append(QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(int(sizeof kAlphabet) - 1)]));
    return code;
}

bool WebServer::start(const QHostAddress& address, quint16 port, QString* error)
{
    stop();
    const QString code = newViewingCode();
    m_thread.start();
    // Made on its thread: the HTTP server keeps a WebSocket server of its own that moveToThread would leave
    // behind.
    quint16 opened = 0;
    const QJsonObject snapshot = m_state.snapshot();
    QMetaObject::invokeMethod(
        &m_onThread,
        [&] {
            // Where the CPU is short, the sequencer's thread goes first (this sets this thread alone).
            setpriority(PRIO_PROCESS, 0, 10);
            m_core = new WebServerCore(m_limits, code, snapshot);
            opened = m_core->open(address, port, error);
        },
        Qt::BlockingQueuedConnection);
    if (opened == 0) {
        stop();
        return false;
    }
    connect(&m_state, &HallState::changed, m_core, &WebServerCore::publish);
    m_code = code;
    m_address = address;
    m_port = opened;
    return true;
}

void WebServer::stop()
{
    if (m_core) {
        disconnect(&m_state, nullptr, m_core, nullptr);
        // Sockets belong to the server's thread and are closed there.
        QMetaObject::invokeMethod(
            m_core, [core = m_core] { delete core; }, Qt::BlockingQueuedConnection);
        m_core = nullptr;
    }
    m_thread.quit();
    m_thread.wait();
    m_code.clear();
    m_port = 0;
}

QUrl WebServer::pageUrl(const QString& page) const
{
    if (!isRunning())
        return {};
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(m_address.toString());
    url.setPort(m_port);
    url.setPath(QLatin1Char('/') + page);
    url.setQuery(QStringLiteral("code=") + m_code);
    return url;
}

int WebServer::clientCount() const
{
    int count = 0;
    if (m_core)
        QMetaObject::invokeMethod(
            m_core, [&] { count = m_core->clientCount(); }, Qt::BlockingQueuedConnection);
    return count;
}
