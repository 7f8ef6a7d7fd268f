#pragma once
// The byte transport under the link: one implementation over QSerialPort, one
// in memory for tests. Received bytes arrive on the user-interface thread
// through the receiver callback, in whatever chunks the transport delivers.
// A transport that breaks while open (the device vanished, the other end hung
// up) says so once through the failure callback.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class BytePipe
{
public:
    using Receiver = std::function<void(const QByteArray&)>;
    using FailureHandler = std::function<void(const QString& reason)>;

    virtual ~BytePipe() = default;
    // Opens the device at 9600 bit/s, 8 data bits, no parity, 1 stop bit.
    virtual bool open(const QString& devicePath) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Bytes queued for the line, or -1 when the pipe is not open.
    virtual qint64 write(const QByteArray& bytes) = 0;
    virtual QString errorString() const = 0;

    void setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }
    void setFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

protected:
    void deliver(const QByteArray& bytes)
    {
        if (m_receiver && !bytes.isEmpty())
            m_receiver(bytes);
    }
    void fail(const QString& reason)
    {
        if (m_onFailure)
            m_onFailure(reason);
    }

private:
    Receiver m_receiver;
    FailureHandler m_onFailure;
};

using BytePipeFactory = std::function<std::unique_ptr<BytePipe>()>;
