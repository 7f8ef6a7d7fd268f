#include "web/WebView.h"

#include "web/ListenAddress.h"

WebView::WebView(QObject* parent) : QObject(parent) {}

void WebView::apply(bool on, int port, const QString& interfaceName)
{
    m_error.clear();
    m_server.stop();
    if (on) {
        const QHostAddress address = ListenAddress::forInterface(interfaceName);
        if (address.isNull())
            m_error = QStringLiteral("no IPv4 address on %1").arg(interfaceName);
        else
            m_server.start(address, quint16(portFor(port)), &m_error);
    }
    emit statusChanged();
}
