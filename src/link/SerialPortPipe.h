#pragma once
// BytePipe over a real serial device (or a pseudo-terminal).

#include "link/BytePipe.h"

#include <QSerialPort>

class SerialPortPipe : public BytePipe
{
public:
    SerialPortPipe();
    ~SerialPortPipe() override;

    bool open(const QString& devicePath) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    qint64 write(const QByteArray& bytes) override;
    QString errorString() const override { return m_port.errorString(); }

    static BytePipeFactory factory();

private:
    QSerialPort m_port;
};
