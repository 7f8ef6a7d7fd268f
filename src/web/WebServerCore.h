#pragma once
// The part of the web view that lives on the server's thread: the listening
// socket with its request gate, the HTTP answers and the WebSocket clients.
// Only WebServer uses it.

#include "web/WebServer.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonObject>
#include <QTcpServer>
#include <QTimer>
#include <memory>
#include <vector>

class QWebSocket;

// Looks at the bytes of every connection before the HTTP server parses them:
// counts the requests of each client address and the size of the headers.
class RequestGate : public QTcpServer
{
    Q_OBJECT
public:
    explicit RequestGate(const WebServer::Limits& limits, QObject* parent = nullptr);
    // The connection became a WebSocket: its frames are no request bytes (it still counts).
    void release(QTcpSocket* socket);

protected:
    void incomingConnection(qintptr handle) override;

private:
    struct Client
    {
        QElapsedTimer window; // the current second
        int requests = 0;
        bool blocked = false;
    };
    struct Connection
    {
        QString address;
        qint64 headerBytes = 0; // since the end of the last request's headers
        QByteArray tail;        // the last three bytes, for an end marker split across reads
        QElapsedTimer waiting;  // valid while a request is awaited or unfinished
        bool released = false;
    };

    void inspect(QTcpSocket* socket);
    // True when the address is over its limit (and stays refused until a quiet second).
    bool countRequest(const QHostAddress& address);
    bool isBlocked(const QHostAddress& address);
    void refuse(QTcpSocket* socket, const QByteArray& statusLine);
    void forget(QTcpSocket* socket);
    // Closes connections whose request is not finished in time.
    void sweep();

    WebServer::Limits m_limits;
    QHash<QString, Client> m_clients;
    QHash<QTcpSocket*, Connection> m_connections;
    QHash<QString, int> m_openByAddress;
    QTimer* m_sweep;
};

class WebServerCore : public QAbstractHttpServer
{
    Q_OBJECT
public:
    WebServerCore(const WebServer::Limits& limits, const QString& code, const QJsonObject& snapshot);
    ~WebServerCore() override;

    // The port listened on, or 0 with the reason.
    quint16 open(const QHostAddress& address, quint16 port, QString* error);
    int clientCount() const { return int(m_clients.size()); }

    // A change of the model: merged into the snapshot and sent to every client.
    void publish(const QJsonObject& change);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    // Answers a request that is no accepted upgrade: a page, or why not.
    void serve(const QHttpServerRequest& request, QTcpSocket* socket);
    bool hasCode(const QUrl& url) const;
    void acceptSockets();
    void drop(QWebSocket* socket);

    WebServer::Limits m_limits;
    QString m_code;
    QJsonObject m_snapshot;
    RequestGate* m_gate = nullptr;
    std::vector<std::unique_ptr<QWebSocket>> m_clients;
};
