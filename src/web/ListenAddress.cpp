#include "web/ListenAddress.h"

#include <QNetworkInterface>

namespace {

QHostAddress firstIpv4(const QNetworkInterface& interface)
{
    for (const QNetworkAddressEntry& entry : interface.addressEntries())
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            return entry.ip();
    return {};
}

} // namespace

namespace ListenAddress {

QHostAddress forInterface(const QString& interfaceName)
{
    if (interfaceName.isEmpty())
        return QHostAddress(QHostAddress::LocalHost);
    const QNetworkInterface interface = QNetworkInterface::interfaceFromName(interfaceName);
    if (!interface.isValid() || !(interface.flags() & QNetworkInterface::IsUp))
        return {};
    return firstIpv4(interface);
}

QList<Choice> choices()
{
    QList<Choice> list;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const QHostAddress address = firstIpv4(interface);
        if ((interface.flags() & QNetworkInterface::IsUp) &&
            !(interface.flags() & QNetworkInterface::IsLoopBack) && !address.isNull())
            list.append({interface.name(), address.toString()});
    }
    return list;
}

} // namespace ListenAddress
