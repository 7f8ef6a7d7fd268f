#pragma once
// Where the web view listens: this computer only (the loopback address) or
// the address of one chosen network interface, stored by interface name so a
// new lease on the same wire keeps working.

#include <QHostAddress>
#include <QStringList>

namespace ListenAddress {

// Empty name: 127.0.0.1. Otherwise the interface's first IPv4 address; a null
// address when no such interface is up.
QHostAddress forInterface(const QString& interfaceName);
// Interfaces that are up, not loopback, and have an IPv4 address: "name (address)" pairs.
struct Choice
{
    QString name;
    QString address;
};
QList<Choice> choices();

} // namespace ListenAddress
