#include "reports/RegisterExport.h"

#include "data/SpreadsheetWriter.h"
#include "prep/DelegateSheet.h"
#include "reports/RegisterPainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

namespace RegisterExport {

namespace {

bool isSuffix(const QString& path, const char* suffix)
{
    return QFileInfo(path).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

QString csvCell(const QString& cell)
{
    if (!cell.contains(QLatin1Char(',')) && !cell.contains(QLatin1Char('"')) &&
        !cell.contains(QLatin1Char('\n')) && !cell.contains(QLatin1Char('\r')))
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool saveFile(QSaveFile& file, QString* detail)
{
    if (file.commit())
        return true;
    if (detail)
        *detail = QStringLiteral("%1\n%2").arg(file.errorString(), file.fileName());
    return false;
}

bool openFile(QSaveFile& file, QString* detail)
{
    if (file.open(QIODevice::WriteOnly))
        return true;
    if (detail)
        *detail = QStringLiteral("%1\n%2").arg(file.errorString(), file.fileName());
    return false;
}

} // namespace

QString filter()
{
    return QStringLiteral("Excel (*.xlsx);;PDF (*.pdf);;CSV (*.csv)");
}

QString targetPath(const QString& chosen, Format* format, bool* renamedFromXls)
{
    if (renamedFromXls)
        *renamedFromXls = false;
    if (isSuffix(chosen, "pdf") || isSuffix(chosen, "csv")) {
        *format = isSuffix(chosen, "pdf") ? Format::Pdf : Format::Csv;
        return chosen;
    }
    *format = Format::Xlsx;
    return DelegateSheet::workbookPath(chosen, renamedFromXls);
}

QByteArray csv(const RegisterTable& table)
{
    QString text;
    const auto addLine = [&text](const QStringList& cells) {
        QStringList quoted;
        for (const QString& cell : cells)
            quoted << csvCell(cell);
        text += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    addLine(table.headings);
    for (const QStringList& row : table.rows)
        addLine(row);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

namespace {

bool writeFile(const QString& path, Format format, const RegisterTable& table, const RegisterHeading& heading,
               QString* detail)
{
    switch (format) {
    case Format::Xlsx: {
        QList<double> widths;
        for (int pixels : table.widths)
            widths << qMax(6.0, pixels / 7.0);
        SpreadsheetWriter writer;
        writer.addSheet(DelegateSheet::kSheetName, DelegateSheet::exportRows(table.headings, table.rows),
                        widths);
        if (writer.save(path))
            return true;
        if (detail)
            *detail = writer.errorDetail();
        return false;
    }
    case Format::Csv: {
        QSaveFile file(path);
        if (!openFile(file, detail))
            return false;
        file.write(csv(table));
        return saveFile(file, detail);
    }
    case Format::Pdf: {
        QSaveFile file(path);
        if (!openFile(file, detail))
            return false;
        {
            QPdfWriter writer(&file);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            writer.setResolution(300);
            writer.setTitle(heading.title);
            writer.setCreator(QStringLiteral("Conference console"));
            if (!RegisterPainter(table, heading).paintAll(writer)) {
                file.cancelWriting();
                if (detail)
                    *detail = path;
                return false;
            }
        }
        return saveFile(file, detail);
    }
    }
    return false;
}

} // namespace

bool write(const QString& path, Format format, const RegisterTable& table, const RegisterHeading& heading,
           QString* detail)
{
    // Written under a private temporary name; the finished file is for others to read too.
    if (!writeFile(path, format, table, heading, detail))
        return false;
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
    return true;
}

} // namespace RegisterExport
