#pragma once
// Reads RTF into a QTextDocument: text with fonts, sizes, bold, italic, underline, strike-out,
// colours and highlight, paragraph alignment and indents, and pictures Qt can decode (PNG, JPEG,
// device-independent and plain bitmaps), which become image resources of the document.
//
// Damaged input never stops the reader and never makes it loop: it keeps what it could read and
// reports Damaged with a reason, so a caller can decide to show its default text instead.
// Nesting deeper than kMaxDepth and pictures larger than kMaxPictureBytes are dropped.

#include <QByteArray>
#include <QString>

class QTextDocument;

class RtfReader
{
public:
    enum class Status
    {
        Ok,         // read completely
        Damaged,    // read as far as possible; errorString() says what was wrong
        NotRtf,     // does not start with "{\rtf"; the document was not touched
        CannotOpen, // the file could not be read; the document was not touched
    };

    static constexpr int kMaxDepth = 200;
    static constexpr qsizetype kMaxPictureBytes = 32 * 1024 * 1024;
    static constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;

    // Replaces the document's content (and its image resources) with the RTF's content.
    Status read(const QByteArray& rtf, QTextDocument* document);
    Status readFile(const QString& path, QTextDocument* document);

    Status status() const { return m_status; }
    QString errorString() const { return m_error; }
    // Pictures left out because Qt cannot decode them (metafiles, broken data, too large).
    int skippedPictures() const { return m_skippedPictures; }

    // Whether bytes look like RTF (after blanks and a UTF-8 byte-order mark).
    static bool isRtf(const QByteArray& bytes);

private:
    Status m_status = Status::Ok;
    QString m_error;
    int m_skippedPictures = 0;
};
