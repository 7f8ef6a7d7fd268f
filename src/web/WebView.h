#pragma once
// The web view as the console holds it for the whole run: the hall's state
// model, the screen that feeds it and the server, switched on and off by the
// settings. A server that cannot start keeps its reason for the settings page;
// the meeting goes on without it.

#include "web/HallState.h"
#include "web/WebServer.h"

#include <QObject>

class WebView : public QObject
{
    Q_OBJECT
public:
    explicit WebView(QObject* parent = nullptr);

    HallState& state() { return m_state; }
    WebServer& server() { return m_server; }

    // --web-port: this port instead of the stored one, for this run (0: none).
    void setPortOverride(int port) { m_portOverride = port; }
    int portFor(int storedPort) const { return m_portOverride > 0 ? m_portOverride : storedPort; }
    // Starts (with a fresh code) or stops the server; interfaceName empty: this computer only.
    void apply(bool on, int port, const QString& interfaceName);
    // Why the last start failed; empty when it did not.
    QString lastError() const { return m_error; }

signals:
    void statusChanged();

private:
    HallState m_state;
    WebServer m_server{m_state};
    int m_portOverride = 0;
    QString m_error;
};
