#pragma once
// Sheets of text cells, as the spreadsheet reader and writer exchange them:
// one QStringList per row, cells from column A on. A missing cell at the end
// of a row reads as the empty text (use value(column)).

#include <QList>
#include <QStringList>

using SheetRows = QList<QStringList>;
