#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads RTF into a QTextDocument. Damaged input never stops the reader: it keeps what it could read
// and reports Damaged, so callers can decide whether to fall back to their default text.
class RtfReader
{
public:
    enum class Status { Ok, Damaged, NotRtf, CannotOpen };

    Status read(const QByteArray &rtf, QTextDocument *document);
    Status readFile(const QString &path, QTextDocument *document);

    Status status() const { return m_status; }
    QString errorString() const { return m_error; }

private:
    Status m_status = Status::Ok;
    QString m_error;
};
