#pragma once
// Writes .xlsx workbooks of text cells (libxlsxwriter). It knows nothing of
// what the cells mean: callers add sheets of rows, every cell is stored as a
// left-aligned text cell, then save() writes the workbook in one go.
//
//     SpreadsheetWriter writer;
//     writer.addSheet("Sheet1", rows);
//     if (!writer.save(path)) report(writer.error(), writer.errorDetail());
//
// The workbook is built beside the target and moved over it only when it is
// complete, so a failed save leaves an existing file as it was.

#include "data/Spreadsheet.h"

#include <QString>

class SpreadsheetWriter
{
public:
    enum class Error
    {
        None,
        NoSheet,      // nothing was added
        BadSheetName, // empty, too long, a repeated name or a character a sheet name may not hold
        CellTooLarge, // a text over 32767 characters, or more rows or columns than a sheet holds
        CannotWrite   // the folder is missing or not writable, the disk is full, ...
    };

    // Column widths in characters; missing ones keep the default width.
    void addSheet(const QString& name, const SheetRows& rows, const QList<double>& columnWidths = {});
    bool save(const QString& path);

    Error error() const { return m_error; }
    // A short technical note (file, sheet, cell) for the message shown to the operator.
    QString errorDetail() const { return m_detail; }

private:
    struct Sheet
    {
        QString name;
        SheetRows rows;
        QList<double> widths;
    };
    bool fail(Error error, const QString& detail);

    QList<Sheet> m_sheets;
    Error m_error = Error::None;
    QString m_detail;
};
