#include "RtfReader.h"

#include <QFile>
#include <QTextDocument>

RtfReader::Status RtfReader::read(const QByteArray &rtf, QTextDocument *document)
{
    Q_UNUSED(document);
    m_status = rtf.startsWith("{\\rtf") ? Status::Damaged : Status::NotRtf;
    m_error = QStringLiteral("not implemented yet");
    return m_status;
}

RtfReader::Status RtfReader::readFile(const QString &path, QTextDocument *document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_status = Status::CannotOpen;
        m_error = file.errorString();
        return m_status;
    }
    return read(file.readAll(), document);
}
