#pragma once
// The serial port of the conference link. Port numbers 1, 2, ... map to device
// paths (System/ports.ini [Ports] COMn, else /dev/ttyS<n-1>, a --port override
// first). Only one port is open at a time: moving to another port closes the
// previous one, so bytes from a port left behind by the search never arrive.

#include "link/BytePipe.h"

#include <QMap>
#include <QString>
#include <functional>
#include <memory>

class SerialLink
{
public:
    using BytesHandler = std::function<void(const QByteArray&)>;
    using FailureHandler = BytePipe::FailureHandler;

    explicit SerialLink(BytePipeFactory factory);
    ~SerialLink();

    // The device path of a port number: an override first, then System/ports.ini.
    static QString devicePath(int portNumber, const QMap<int, QString>& overrides = {});
    // Device paths given on the command line, by port number.
    void setOverrides(const QMap<int, QString>& overrides) { m_overrides = overrides; }
    // Another transport from now on; the port in use is closed.
    void setFactory(BytePipeFactory factory);

    int portNumber() const { return m_portNumber; }
    // Changes the port number without opening it (0: none); closes the open port.
    void setPortNumber(int portNumber);
    // Opens `portNumber` at 9600 8N1; false when the device cannot be opened.
    // The port number is taken either way.
    bool openPort(int portNumber);
    // Closes the open port and keeps its number.
    void closePort();
    bool isOpen() const;
    QString devicePathInUse() const { return m_path; }
    QString errorString() const;

    // Writes the 4-byte frame of a command word; false when nothing could be written.
    bool sendCommand(quint32 word);

    // Receives the bytes of the open port on the user-interface thread.
    void setBytesHandler(BytesHandler handler) { m_handler = std::move(handler); }
    // Told when the open port breaks (called from inside the port's own signal: do not close it there).
    void setFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

private:
    BytePipeFactory m_factory;
    QMap<int, QString> m_overrides;
    std::unique_ptr<BytePipe> m_pipe;
    BytesHandler m_handler;
    FailureHandler m_onFailure;
    int m_portNumber = 0;
    QString m_path;
};
