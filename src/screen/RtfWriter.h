#pragma once
// Writes a QTextDocument as RTF: a font table, a colour table, paragraphs with their alignment
// and indents, character formats, text outside ASCII as \uN? escapes and pictures as PNG. The
// result opens in word processors and reads back through RtfReader to the same text and formats.

#include <QByteArray>
#include <QString>

class QTextDocument;

class RtfWriter
{
public:
    // 936 (GBK, Chinese) or 1252 (Western); it names the document's code page and the charset of
    // its fonts. Text is written as \uN? escapes whatever the code page.
    void setCodePage(int codePage) { m_codePage = codePage; }
    int codePage() const { return m_codePage; }

    QByteArray write(const QTextDocument& document) const;
    // Replaces the file in one step; on failure *error tells why and the old file is kept.
    bool writeFile(const QTextDocument& document, const QString& path, QString* error = nullptr) const;

private:
    int m_codePage = 936;
};
