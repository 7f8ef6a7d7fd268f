#include "link/SerialPortPipe.h"

SerialPortPipe::SerialPortPipe()
{
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] { deliver(m_port.readAll()); });
    // A device unplugged, or a pseudo-terminal whose other end has gone, reads and writes with errors.
    QObject::connect(&m_port, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
        if (m_port.isOpen() && (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                                error == QSerialPort::WriteError))
            fail(m_port.errorString());
    });
}

SerialPortPipe::~SerialPortPipe()
{
    close();
}

bool SerialPortPipe::open(const QString& devicePath)
{
    close();
    m_port.setPortName(devicePath);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    const bool configured =
        m_port.setBaudRate(QSerialPort::Baud9600) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_port.close();
        return false;
    }
    return true;
}

void SerialPortPipe::close()
{
    if (m_port.isOpen())
        m_port.close();
}

qint64 SerialPortPipe::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return -1;
    return m_port.write(bytes);
}

BytePipeFactory SerialPortPipe::factory()
{
    return [] { return std::make_unique<SerialPortPipe>(); };
}
