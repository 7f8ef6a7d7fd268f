#include "link/SerialLink.h"

#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "link/FrameCodec.h"

SerialLink::SerialLink(BytePipeFactory factory) : m_factory(std::move(factory)) {}

void SerialLink::setFactory(BytePipeFactory factory)
{
    closePort();
    m_factory = std::move(factory);
}

SerialLink::~SerialLink()
{
    closePort();
}

QString SerialLink::devicePath(int portNumber, const QMap<int, QString>& overrides)
{
    const QString overridden = overrides.value(portNumber);
    if (!overridden.isEmpty())
        return overridden;
    const QString configured =
        IniFile::readString(ProgramFolder::filePath(QStringLiteral("System/ports.ini")),
                            QStringLiteral("Ports"), QStringLiteral("COM%1").arg(portNumber))
            .trimmed();
    if (!configured.isEmpty())
        return configured;
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

void SerialLink::setPortNumber(int portNumber)
{
    closePort();
    m_portNumber = portNumber;
}

bool SerialLink::openPort(int portNumber)
{
    closePort();
    m_portNumber = portNumber;
    if (portNumber < 1)
        return false;
    m_path = devicePath(portNumber, m_overrides);
    m_pipe = m_factory();
    m_pipe->setReceiver([this](const QByteArray& bytes) {
        if (m_handler)
            m_handler(bytes);
    });
    m_pipe->setFailureHandler([this](const QString& reason) {
        if (m_onFailure)
            m_onFailure(reason);
    });
    return m_pipe->open(m_path);
}

bool SerialLink::isOpen() const
{
    return m_pipe && m_pipe->isOpen();
}

QString SerialLink::errorString() const
{
    return m_pipe ? m_pipe->errorString() : QString();
}

bool SerialLink::sendCommand(quint32 word)
{
    if (!isOpen())
        return false;
    return m_pipe->write(FrameCodec::encode(word)) == FrameCodec::kFrameSize;
}

void SerialLink::closePort()
{
    if (m_pipe) {
        m_pipe->setReceiver({});
        m_pipe->setFailureHandler({});
        m_pipe->close();
        m_pipe.reset();
    }
    m_path.clear();
}
