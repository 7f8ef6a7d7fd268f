#pragma once
// Reads the text of spreadsheet cells from .xlsx workbooks (minizip and
// QXmlStreamReader) and legacy .xls workbooks (FreeXL). The kind is told by
// the file's first bytes, not by its name. It knows nothing of what the cells
// mean: a sheet comes back as rows of text.
//
//     SpreadsheetReader reader;
//     SheetRows rows;
//     if (!reader.open(path) || !reader.readSheet("Sheet1", rows)) report(reader.error());
//
// Cell values read as text: shared and inline strings as written, numbers as
// their shortest decimal text (up to 15 significant digits, as a spreadsheet
// shows them), booleans "TRUE"/"FALSE", empty cells as "". Trailing empty
// cells of a row and trailing empty rows are dropped; empty rows in between
// stay as empty rows. Sizes are bounded so that a hostile or broken file
// gives an error, never a crash or an exhausted memory. Legacy workbooks
// are read in a short-lived child process, so that even a crash inside the
// .xls library only fails the read.

#include "data/Spreadsheet.h"

#include <QString>
#include <QStringList>

class SpreadsheetReader
{
public:
    enum class Error
    {
        None,
        CannotOpen,      // missing or unreadable file
        NotASpreadsheet, // neither .xlsx nor .xls, or a damaged one
        SheetMissing,    // no sheet of that name
        TooLarge         // beyond the limits below
    };

    // Bytes of one unpacked part of an .xlsx, and cells of one sheet
    // (empty rows and cells before the last one in a row count too).
    static constexpr qint64 kDefaultMaxPartBytes = 64 * 1024 * 1024;
    static constexpr qint64 kDefaultMaxCells = 4 * 1024 * 1024;

    SpreadsheetReader();
    ~SpreadsheetReader();
    SpreadsheetReader(const SpreadsheetReader&) = delete;
    SpreadsheetReader& operator=(const SpreadsheetReader&) = delete;

    void setLimits(qint64 maxPartBytes, qint64 maxCells);

    // Opens the workbook and reads its sheet names.
    bool open(const QString& path);
    QStringList sheetNames() const { return m_sheetNames; }
    // The named sheet (exact name) of the open workbook.
    bool readSheet(const QString& name, SheetRows& rows);
    void close();

    // The parent's side of a legacy read: what the helper process wrote, as if `open` had
    // received it. Public so that it can be fed bytes directly.
    bool takeLegacyPayload(const QByteArray& payload);

    Error error() const { return m_error; }
    QString errorDetail() const { return m_detail; }

private:
    struct Xlsx;
    struct Xls;
    bool fail(Error error, const QString& detail);
    bool openXlsx();
    bool openXls();
    bool openXlsDirect();
    bool readXlsxSheet(int index, SheetRows& rows);
    bool readXlsSheet(int index, SheetRows& rows);
    bool readXlsSheetDirect(int index, SheetRows& rows);
    bool readPart(const QString& name, QByteArray& bytes, bool required);
    bool readSharedStrings();
    bool grow(SheetRows& rows, qint64 row, qint64 column, qint64& cells);

    QString m_path;
    Xlsx* m_xlsx = nullptr;
    Xls* m_xls = nullptr;
    QStringList m_sheetNames;
    QStringList m_sheetParts; // .xlsx: part name of each sheet
    struct LegacySheet
    {
        Error error = Error::None;
        QString detail;
        SheetRows rows;
    };
    QList<LegacySheet> m_legacySheets; // .xls: read whole by a helper process
    bool m_legacyOpen = false;
    QStringList m_sharedStrings;
    bool m_sharedLoaded = false;
    QString m_sharedPart;
    qint64 m_maxPartBytes = kDefaultMaxPartBytes;
    qint64 m_maxCells = kDefaultMaxCells;
    Error m_error = Error::None;
    QString m_detail;
};
