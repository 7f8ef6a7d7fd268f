#include "prep/DelegateSheet.h"

#include "core/LanguageTable.h"
#include "data/SpreadsheetReader.h"
#include "data/SpreadsheetWriter.h"

#include <QFileInfo>

namespace DelegateSheet {

namespace {

// Column widths in characters, after the list's widths in pixels.
const QList<double> kWidths{8, 16, 8, 8, 12, 12, 16, 16, 12, 10};

} // namespace

QStringList headings()
{
    const Texts texts(QStringLiteral("FrmManinfo"));
    QStringList out;
    for (int i = 1; i <= Delegate::kListedFields; ++i)
        out.append(texts(QStringLiteral("LstText%1").arg(i)));
    return out;
}

QString workbookPath(const QString& chosen, bool* renamedFromXls)
{
    if (renamedFromXls)
        *renamedFromXls = false;
    const QString suffix = QFileInfo(chosen).suffix();
    if (suffix.compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return chosen;
    if (suffix.compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0) {
        if (renamedFromXls)
            *renamedFromXls = true;
        return chosen + QStringLiteral("x");
    }
    return chosen + QStringLiteral(".xlsx");
}

SheetRows exportRows(const QStringList& headings, const QList<QStringList>& rows)
{
    SheetRows out;
    out.reserve(rows.size() + 1);
    out.append(headings);
    out.append(rows);
    return out;
}

Outcome exportList(const QString& path, const QStringList& headings, const QList<QStringList>& rows,
                   QString* detail)
{
    SpreadsheetWriter writer;
    writer.addSheet(kSheetName, exportRows(headings, rows), kWidths);
    if (writer.save(path))
        return Outcome::Done;
    if (detail)
        *detail = writer.errorDetail();
    return Outcome::CannotWrite;
}

Outcome readImport(const QString& path, const QStringList& headings, QList<Delegate>& records,
                   QString* detail)
{
    records.clear();
    SpreadsheetReader reader;
    SheetRows rows;
    if (!reader.open(path) || !reader.readSheet(kSheetName, rows)) {
        if (detail)
            *detail = reader.errorDetail();
        switch (reader.error()) {
        case SpreadsheetReader::Error::SheetMissing:
            return Outcome::NoSheet;
        case SpreadsheetReader::Error::TooLarge:
            return Outcome::TooLarge;
        default:
            return Outcome::CannotRead;
        }
    }
    const QStringList first = rows.value(0);
    for (int c = 0; c < Delegate::kListedFields; ++c)
        if (first.value(c) != headings.value(c))
            return Outcome::WrongHeadings;
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const QStringList cells = rows[r].mid(0, Delegate::kListedFields);
        if (std::all_of(cells.begin(), cells.end(), [](const QString& cell) { return cell.isEmpty(); }))
            continue;
        records.append(Delegate::fromListed(cells));
    }
    return Outcome::Done;
}

Outcome importFile(const QString& path, const QStringList& headings, DelegateTable& table,
                   const QString& group, int* imported, QString* detail)
{
    QList<Delegate> records;
    const Outcome read = readImport(path, headings, records, detail);
    if (read != Outcome::Done)
        return read;
    if (!table.replaceWithImport(records, group))
        return Outcome::StoreFailed;
    if (imported)
        *imported = int(records.size());
    return Outcome::Done;
}

} // namespace DelegateSheet
