#include "RtfWriter.h"

#include <QSaveFile>
#include <QTextDocument>

QByteArray RtfWriter::write(const QTextDocument &document) const
{
    Q_UNUSED(document);
    return QByteArray("{\\rtf1\\ansi\\ansicpg") + QByteArray::number(m_codePage) + "}";
}

bool RtfWriter::writeFile(const QTextDocument &document, const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(write(document)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
