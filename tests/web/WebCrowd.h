#pragma once
// A crowd of WebSocket viewers on a thread of their own, as browsers on other
// machines would be: reading their messages costs the console's thread
// nothing. Each socket notes when a change with a numbered heading ("#<n>")
// first reached it, so a run can tell how long every change took to arrive.

#include <QObject>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class QWebSocket;
class WebServer;

class WebCrowd
{
public:
    struct Arrival
    {
        int mark;    // the number after '#' in the panel's heading
        qint64 atNs; // steady clock
    };

    WebCrowd();
    ~WebCrowd();

    // Opens `count` sockets to `url`, `batch` at a time, waiting for each batch to
    // connect; false when one does not within timeoutMs. Raises the limit of open
    // files to what the system allows first.
    bool open(const QUrl& url, int count, int batch, int timeoutMs);
    int connected() const { return m_connected; }
    qint64 messages() const { return m_messages; }
    std::vector<Arrival> arrivals() const;

    static qint64 nowNs();
    // Starts `server` on loopback for a crowd that shares one address; the socket's
    // address (ws://…/live?code=…), or an empty one with the reason.
    static QUrl serve(WebServer& server, QString* error);

private:
    void received(int socket, const QString& message);

    QThread m_thread;
    QObject m_onThread;
    std::vector<std::unique_ptr<QWebSocket>> m_sockets; // made and destroyed on the thread
    std::vector<int> m_lastMark;                        // by socket, touched on the thread only
    std::atomic<int> m_connected{0};
    std::atomic<qint64> m_messages{0};
    mutable std::mutex m_lock;
    std::vector<Arrival> m_arrivals;
};
