#pragma once
// The delegate list as a workbook: sheet "Sheet1", the ten list headings in
// row 1, then one delegate per row, every cell text. The headings are the
// texts of the language in use, so a workbook imports only in the language it
// was exported in. An import replaces nothing but the rows whose unit number
// equals the page's group text, and it is stored all or nothing.

#include "data/Spreadsheet.h"
#include "prep/DelegateTable.h"

#include <QString>
#include <QStringList>

namespace DelegateSheet {

inline const QString kSheetName = QStringLiteral("Sheet1");

enum class Outcome
{
    Done,
    CannotWrite,   // the workbook could not be written
    CannotRead,    // missing, unreadable, not a workbook or damaged
    NoSheet,       // no sheet "Sheet1"
    WrongHeadings, // row 1 differs from the ten headings
    TooLarge,      // beyond what the reader accepts
    StoreFailed    // the database refused; nothing was changed
};

// The ten list headings LstText1..LstText10 of the language in use.
QStringList headings();

// The target of an export: always an .xlsx. A typed ".xls" becomes ".xlsx"
// (no packaged library writes the legacy format), a missing suffix is added.
QString workbookPath(const QString& chosen, bool* renamedFromXls = nullptr);

// Row 1 the headings, then the rows as given (the list as shown, in its order).
SheetRows exportRows(const QStringList& headings, const QList<QStringList>& rows);
Outcome exportList(const QString& path, const QStringList& headings, const QList<QStringList>& rows,
                   QString* detail = nullptr);

// Reads the delegates of a workbook (.xlsx or .xls). Rows whose ten cells are
// all empty are skipped; unit numbers are taken as they stand.
Outcome readImport(const QString& path, const QStringList& headings, QList<Delegate>& records,
                   QString* detail = nullptr);
// Reads, then stores in one transaction through the table.
Outcome importFile(const QString& path, const QStringList& headings, DelegateTable& table,
                   const QString& group, int* imported = nullptr, QString* detail = nullptr);

} // namespace DelegateSheet
