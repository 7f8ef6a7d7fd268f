#pragma once
// A register written to a file as the list shows it: an .xlsx workbook (sheet
// "Sheet1", the headings in row 1), a PDF of every page from the one page
// renderer, or CSV as UTF-8 with a byte-order mark (so spreadsheet programs
// read Chinese correctly). The type follows the name's suffix.
//
// Every file is written beside its target and moved over it only when whole,
// so a folder that cannot be written leaves no half-written file behind.

#include "reports/RegisterTable.h"

#include <QByteArray>
#include <QString>

namespace RegisterExport {

enum class Format
{
    Xlsx,
    Pdf,
    Csv
};

// The save dialog's filter: the three types.
QString filter();

// The file to write for the name the operator chose: ".pdf" and ".csv" stay,
// anything else is a workbook (a typed ".xls" becomes ".xlsx", a name without
// a suffix gets ".xlsx").
QString targetPath(const QString& chosen, Format* format, bool* renamedFromXls = nullptr);

// RFC 4180 text with CRLF line ends, behind a UTF-8 byte-order mark.
QByteArray csv(const RegisterTable& table);

// False with a short technical note when the file could not be written.
bool write(const QString& path, Format format, const RegisterTable& table, const RegisterHeading& heading,
           QString* detail = nullptr);

} // namespace RegisterExport
