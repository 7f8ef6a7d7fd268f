#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Writes a QTextDocument as RTF that word processors open and RtfReader reads back.
class RtfWriter
{
public:
    void setCodePage(int codePage) { m_codePage = codePage; }
    int codePage() const { return m_codePage; }

    QByteArray write(const QTextDocument &document) const;
    bool writeFile(const QTextDocument &document, const QString &path, QString *error = nullptr) const;

private:
    int m_codePage = 936;
};
