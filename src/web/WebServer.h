#pragma once
// The web view: a read-only HTTP and WebSocket server that shows the hall to
// browsers on the local network. It publishes the hall's state model, never
// pixels: a browser opens /hall, /chair or /overlay with the viewing code,
// the page opens /live and gets one JSON snapshot, then one small JSON change
// per call that changed the hall.
//
// Nothing can be changed through it: GET is the only method, the pages are a
// fixed list of resources compiled in (no path ever reaches the file system),
// and the socket ignores what clients send. Each start makes a fresh viewing
// code; a request without it gets 403.
//
// The sockets live on a thread of their own, so a crowd of browsers never
// delays the link's sequencer on the program's thread. The model's changes
// cross over as queued signals.
//
// Hostile or broken clients are bounded: headers over 16 KB get 431 and the
// connection closes; an address sending more requests a second than the limit
// gets 429 and its connections close until it has been quiet for a second; a
// socket whose unsent changes pass the queue limit (it stopped reading) is
// dropped. Connections are counted per address and in all, so no client can
// use up the program's open files, and one that leaves a request unfinished
// is closed after a while.

#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <QUrl>

class HallState;
class WebServerCore;

class WebServer : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        int maxHeaderBytes = 16 * 1024;
        int requestsPerSecond = 100;         // per client address
        qint64 maxQueuedBytes = 1024 * 1024; // per socket
        int connectionsPerAddress = 32;      // a browser opens a few per page
        int connections = 512;               // in all
        int requestTimeoutMs = 10000;        // to finish a request's headers
    };

    explicit WebServer(HallState& state, QObject* parent = nullptr);
    ~WebServer() override;

    void setLimits(const Limits& limits) { m_limits = limits; }
    // Listens with a fresh viewing code (stopping a server already running). On
    // failure (the port is in use, the address is not this computer's) it says why.
    bool start(const QHostAddress& address, quint16 port, QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_port != 0; }

    QString viewingCode() const { return m_code; }
    quint16 port() const { return m_port; }
    QHostAddress address() const { return m_address; }
    // http://address:port/page?code=… ; empty when not running.
    QUrl pageUrl(const QString& page = QStringLiteral("hall")) const;
    // WebSocket clients connected now (read on the server's thread).
    int clientCount() const;

    // At least 8 characters from an alphabet without look-alikes (no 0/O, 1/l/I).
    static QString newViewingCode();

private:
    HallState& m_state;
    Limits m_limits;
    QThread m_thread;
    QObject m_onThread; // runs the server's set-up on its thread
    WebServerCore* m_core = nullptr;
    QString m_code;
    QHostAddress m_address;
    quint16 m_port = 0;
};
