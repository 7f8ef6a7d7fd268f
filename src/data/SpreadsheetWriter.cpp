#include "data/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace {

// Excel's own limits for a sheet name.
constexpr int kMaxSheetName = 31;

bool validSheetName(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxSheetName || name.startsWith(u'\'') || name.endsWith(u'\''))
        return false;
    for (const QChar c : name)
        if (QStringLiteral("[]:*?/\\").contains(c))
            return false;
    return true;
}

QString cellName(qsizetype row, qsizetype column)
{
    QString letters;
    for (qsizetype c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(char16_t(u'A' + (c - 1) % 26)));
    return letters + QString::number(row + 1);
}

} // namespace

void SpreadsheetWriter::addSheet(const QString& name, const SheetRows& rows,
                                 const QList<double>& columnWidths)
{
    m_sheets.append({name, rows, columnWidths});
}

bool SpreadsheetWriter::fail(Error error, const QString& detail)
{
    m_error = error;
    m_detail = detail;
    return false;
}

bool SpreadsheetWriter::save(const QString& path)
{
    m_error = Error::None;
    m_detail.clear();
    if (m_sheets.isEmpty())
        return fail(Error::NoSheet, path);
    QStringList seen;
    for (const Sheet& sheet : m_sheets) {
        if (!validSheetName(sheet.name) || seen.contains(sheet.name, Qt::CaseInsensitive))
            return fail(Error::BadSheetName, sheet.name);
        seen.append(sheet.name);
    }

    // Reserve a name beside the target; libxlsxwriter writes the file there.
    const QFileInfo target(path);
    QTemporaryFile reserved(target.absoluteDir().filePath(QStringLiteral(".~XXXXXX.xlsx")));
    if (!reserved.open())
        return fail(Error::CannotWrite, QStringLiteral("%1: %2").arg(path, reserved.errorString()));
    const QString temporary = reserved.fileName();
    reserved.close();

    lxw_workbook_options options{};
    const QByteArray temporaryName = QFile::encodeName(temporary);
    lxw_workbook* workbook = workbook_new_opt(temporaryName.constData(), &options);
    if (!workbook)
        return fail(Error::CannotWrite, path);
    lxw_format* text = workbook_add_format(workbook);
    format_set_align(text, LXW_ALIGN_LEFT);
    format_set_num_format(text, "@"); // stays text when edited in a spreadsheet program

    for (const Sheet& sheet : m_sheets) {
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.toUtf8().constData());
        if (!worksheet) {
            workbook_close(workbook);
            return fail(Error::BadSheetName, sheet.name);
        }
        for (qsizetype c = 0; c < sheet.widths.size(); ++c)
            if (c < LXW_COL_MAX)
                worksheet_set_column(worksheet, lxw_col_t(c), lxw_col_t(c), sheet.widths[c], nullptr);
        for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
            const QStringList& row = sheet.rows[r];
            for (qsizetype c = 0; c < row.size(); ++c) {
                if (r >= LXW_ROW_MAX || c >= LXW_COL_MAX) {
                    workbook_close(workbook);
                    return fail(Error::CellTooLarge, QStringLiteral("%1!%2").arg(sheet.name).arg(r + 1));
                }
                const lxw_error rc = worksheet_write_string(worksheet, lxw_row_t(r), lxw_col_t(c),
                                                            row[c].toUtf8().constData(), text);
                if (rc != LXW_NO_ERROR) {
                    workbook_close(workbook);
                    const Error kind = rc == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED ||
                                               rc == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE
                                           ? Error::CellTooLarge
                                           : Error::CannotWrite;
                    return fail(kind,
                                QStringLiteral("%1!%2: %3")
                                    .arg(sheet.name, cellName(r, c), QString::fromUtf8(lxw_strerror(rc))));
                }
            }
        }
    }

    const lxw_error rc = workbook_close(workbook);
    if (rc != LXW_NO_ERROR) {
        QFile::remove(temporary);
        return fail(Error::CannotWrite,
                    QStringLiteral("%1: %2").arg(path, QString::fromUtf8(lxw_strerror(rc))));
    }
    // rename() replaces an existing file in one step.
    if (std::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return fail(Error::CannotWrite, QStringLiteral("%1: %2").arg(path, reason));
    }
    return true;
}
