#include "data/SpreadsheetReader.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <freexl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unzip.h>

namespace {

// Sheet bounds of the formats themselves.
constexpr qint64 kMaxRow = 1048576;
constexpr qint64 kMaxColumn = 16384;
// A legacy workbook that takes longer than this to read is given up.
constexpr int kLegacyReadTimeoutMs = 30000;

struct Relationship
{
    QString type;
    QString target;
};

// "xl/worksheets/sheet1.xml" from a relationship target seen from `base`
// ("xl/workbook.xml"): relative, absolute ("/xl/...") or with "..".
QString resolvePart(const QString& base, const QString& target)
{
    QString path = target.startsWith(u'/') ? target.mid(1) : base.left(base.lastIndexOf(u'/') + 1) + target;
    QStringList out;
    for (const QString& piece : path.split(u'/')) {
        if (piece == QLatin1String(".."))
            out.isEmpty() ? void() : out.removeLast();
        else if (!piece.isEmpty() && piece != QLatin1String("."))
            out.append(piece);
    }
    return out.join(u'/');
}

// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
QString relsPartOf(const QString& part)
{
    const int slash = int(part.lastIndexOf(u'/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

QHash<QString, Relationship> parseRelationships(const QByteArray& xml)
{
    QHash<QString, Relationship> out;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("Relationship")) {
            const auto attributes = reader.attributes();
            out.insert(attributes.value("Id").toString(),
                       {attributes.value("Type").toString(), attributes.value("Target").toString()});
        }
    }
    return out;
}

// Text written as "_xHHHH_" (characters XML cannot carry) back to the character.
QString unescapeOoxml(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    auto it = escape.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        out += text.mid(last, match.capturedStart() - last);
        out += QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        last = match.capturedEnd();
    }
    return out + text.mid(last);
}

// The text of a string item (<si> or <is>): its <t> pieces, rich runs joined,
// phonetic runs (<rPh>) left out. The reader stands on the opening element.
QString readStringItem(QXmlStreamReader& reader)
{
    QString text;
    const QString end = reader.name().toString();
    int phonetic = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (reader.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (reader.name() == QLatin1String("t") && phonetic == 0)
                text += reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (reader.isEndElement()) {
            if (reader.name() == QLatin1String("rPh"))
                --phonetic;
            else if (reader.name() == end)
                break;
        }
    }
    return unescapeOoxml(text);
}

QString numberText(const QString& raw)
{
    bool ok = false;
    const double value = raw.toDouble(&ok);
    return ok ? QString::number(value, 'g', 15) : raw;
}

// "BC12" to column 54 (from 0) and row 11 (from 0); false when malformed.
bool parseCellReference(QStringView reference, qint64& row, qint64& column)
{
    qsizetype i = 0;
    qint64 col = 0;
    while (i < reference.size() && reference[i].isLetter() && reference[i].unicode() < 128) {
        col = col * 26 + (reference[i].toUpper().unicode() - 'A' + 1);
        if (col > kMaxColumn)
            return false;
        ++i;
    }
    if (i == 0 || i == reference.size())
        return false;
    bool ok = false;
    const qint64 r = reference.mid(i).toLongLong(&ok);
    if (!ok || r < 1 || r > kMaxRow)
        return false;
    row = r - 1;
    column = col - 1;
    return true;
}

void trim(SheetRows& rows)
{
    for (QStringList& row : rows)
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
    while (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
}

// Lists cross the pipe from the legacy reader as a count and then each element: QDataStream's
// own list reading reserves the stated count first, so one garbled count asked for gigabytes.
void put(QDataStream& out, const QString& text)
{
    out << text;
}

template <typename T> void put(QDataStream& out, const QList<T>& list)
{
    out << quint32(list.size());
    for (const T& item : list)
        put(out, item);
}

bool take(QDataStream& in, QString& text)
{
    in >> text;
    return in.status() == QDataStream::Ok;
}

template <typename T> bool take(QDataStream& in, QList<T>& list)
{
    quint32 count = 0;
    in >> count;
    // Every element takes at least four bytes of what is left.
    if (in.status() != QDataStream::Ok || count > in.device()->bytesAvailable() / 4) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    list.clear();
    for (quint32 i = 0; i < count; ++i) {
        T item;
        if (!take(in, item))
            return false;
        list.append(std::move(item));
    }
    return true;
}

} // namespace

struct SpreadsheetReader::Xlsx
{
    unzFile zip = nullptr;
};

struct SpreadsheetReader::Xls
{
    const void* handle = nullptr;
};

SpreadsheetReader::SpreadsheetReader() = default;

SpreadsheetReader::~SpreadsheetReader()
{
    close();
}

void SpreadsheetReader::setLimits(qint64 maxPartBytes, qint64 maxCells)
{
    m_maxPartBytes = maxPartBytes;
    m_maxCells = maxCells;
}

void SpreadsheetReader::close()
{
    if (m_xlsx) {
        unzClose(m_xlsx->zip);
        delete m_xlsx;
        m_xlsx = nullptr;
    }
    if (m_xls) {
        if (m_xls->handle)
            freexl_close(m_xls->handle);
        delete m_xls;
        m_xls = nullptr;
    }
    m_sheetNames.clear();
    m_sheetParts.clear();
    m_sharedStrings.clear();
    m_sharedLoaded = false;
    m_sharedPart.clear();
    m_legacySheets.clear();
    m_legacyOpen = false;
}

bool SpreadsheetReader::fail(Error error, const QString& detail)
{
    m_error = error;
    m_detail = detail;
    return false;
}

bool SpreadsheetReader::open(const QString& path)
{
    close();
    m_path = path;
    m_error = Error::None;
    m_detail.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Error::CannotOpen, QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray magic = file.read(8);
    file.close();
    bool opened = false;
    if (magic.startsWith("PK\x03\x04"))
        opened = openXlsx();
    else if (magic == QByteArray::fromHex("D0CF11E0A1B11AE1"))
        opened = openXls();
    else
        fail(Error::NotASpreadsheet, path);
    // A half-read workbook must not stay readable.
    if (!opened)
        close();
    return opened;
}

// ---- .xlsx ----

bool SpreadsheetReader::readPart(const QString& name, QByteArray& bytes, bool required)
{
    bytes.clear();
    unzFile zip = m_xlsx->zip;
    if (unzLocateFile(zip, name.toUtf8().constData(), 2) != UNZ_OK) // 2: any case
        return required ? fail(Error::NotASpreadsheet, QStringLiteral("%1: %2").arg(m_path, name)) : false;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return fail(Error::NotASpreadsheet, QStringLiteral("%1: %2").arg(m_path, name));
    if (qint64(info.uncompressed_size) > m_maxPartBytes || info.uncompressed_size > 0x7fffffffULL)
        return fail(Error::TooLarge, QStringLiteral("%1: %2").arg(m_path, name));
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return fail(Error::NotASpreadsheet, QStringLiteral("%1: %2").arg(m_path, name));
    // The stated size may lie: read in pieces and stop at the limit.
    char buffer[64 * 1024];
    int got = 0;
    while ((got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0) {
        if (bytes.size() + got > m_maxPartBytes) {
            unzCloseCurrentFile(zip);
            bytes.clear();
            return fail(Error::TooLarge, QStringLiteral("%1: %2").arg(m_path, name));
        }
        bytes.append(buffer, got);
    }
    const int closed = unzCloseCurrentFile(zip); // reports a bad checksum
    if (got < 0 || closed != UNZ_OK) {
        bytes.clear();
        return fail(Error::NotASpreadsheet, QStringLiteral("%1: %2").arg(m_path, name));
    }
    return true;
}

bool SpreadsheetReader::openXlsx()
{
    const QByteArray path = QFile::encodeName(m_path);
    unzFile zip = unzOpen64(path.constData());
    if (!zip)
        return fail(Error::NotASpreadsheet, m_path);
    m_xlsx = new Xlsx{zip};

    // The workbook part is named by the package's relationships.
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    QByteArray xml;
    if (readPart(QStringLiteral("_rels/.rels"), xml, false)) {
        for (const Relationship& rel : parseRelationships(xml))
            if (rel.type.endsWith(QLatin1String("/officeDocument")))
                workbookPart = resolvePart(QString(), rel.target);
    } else if (m_error != Error::None) {
        return false;
    }
    QByteArray workbook;
    if (!readPart(workbookPart, workbook, true))
        return false;
    QHash<QString, Relationship> rels;
    if (readPart(relsPartOf(workbookPart), xml, true))
        rels = parseRelationships(xml);
    else
        return false;
    for (const Relationship& rel : rels)
        if (rel.type.endsWith(QLatin1String("/sharedStrings")))
            m_sharedPart = resolvePart(workbookPart, rel.target);

    QXmlStreamReader reader(workbook);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("sheet")) {
            QString id;
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                if (attribute.name() == QLatin1String("id")) // r:id in any namespace prefix
                    id = attribute.value().toString();
            const auto rel = rels.constFind(id);
            if (rel == rels.constEnd() || !rel->type.endsWith(QLatin1String("/worksheet")))
                continue; // a chart sheet or a dangling entry has no cells
            m_sheetNames.append(reader.attributes().value("name").toString());
            m_sheetParts.append(resolvePart(workbookPart, rel->target));
        }
    }
    if (reader.hasError() || m_sheetNames.isEmpty())
        return fail(Error::NotASpreadsheet, QStringLiteral("%1: %2").arg(m_path, workbookPart));
    return true;
}

bool SpreadsheetReader::readSharedStrings()
{
    if (m_sharedLoaded)
        return true;
    m_sharedLoaded = true;
    if (m_sharedPart.isEmpty())
        return true;
    QByteArray xml;
    if (!readPart(m_sharedPart, xml, true))
        return false;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si")) {
            m_sharedStrings.append(readStringItem(reader));
            if (m_sharedStrings.size() > m_maxCells)
                return fail(Error::TooLarge, QStringLiteral("%1: %2").arg(m_path, m_sharedPart));
        }
    }
    if (reader.hasError())
        return fail(Error::NotASpreadsheet,
                    QStringLiteral("%1: %2: %3").arg(m_path, m_sharedPart, reader.errorString()));
    return true;
}

// Makes room for (row, column), counting every cell slot against the limit.
bool SpreadsheetReader::grow(SheetRows& rows, qint64 row, qint64 column, qint64& cells)
{
    if (row >= rows.size()) {
        cells += row + 1 - rows.size();
        if (cells > m_maxCells)
            return fail(Error::TooLarge, m_path);
        rows.resize(row + 1);
    }
    QStringList& cellsOfRow = rows[row];
    if (column >= cellsOfRow.size()) {
        cells += column + 1 - cellsOfRow.size();
        if (cells > m_maxCells)
            return fail(Error::TooLarge, m_path);
        cellsOfRow.resize(column + 1);
    }
    return true;
}

bool SpreadsheetReader::readXlsxSheet(int index, SheetRows& rows)
{
    if (!readSharedStrings())
        return false;
    QByteArray xml;
    const QString part = m_sheetParts[index];
    if (!readPart(part, xml, true))
        return false;
    auto corrupt = [&](const QString& why) {
        return fail(Error::NotASpreadsheet, QStringLiteral("%1: %2: %3").arg(m_path, part, why));
    };

    SheetRows out;
    qint64 cells = 0;
    qint64 row = -1;
    qint64 column = -1;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("row")) {
            const QStringView r = reader.attributes().value("r");
            bool ok = true;
            const qint64 number = r.isEmpty() ? row + 2 : r.toLongLong(&ok);
            if (!ok || number < 1 || number > kMaxRow)
                return corrupt(QStringLiteral("row ") + r.toString());
            row = number - 1;
            column = -1;
            continue;
        }
        if (reader.name() != QLatin1String("c"))
            continue;
        const QStringView reference = reader.attributes().value("r");
        if (reference.isEmpty()) {
            if (row < 0)
                row = 0;
            ++column;
            if (column >= kMaxColumn)
                return corrupt(QStringLiteral("column"));
        } else if (!parseCellReference(reference, row, column)) {
            return corrupt(reference.toString());
        }
        const QString type = reader.attributes().value("t").toString();
        QString value;
        bool hasValue = false;
        QString inlineText;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement() && reader.name() == QLatin1String("v")) {
                value = reader.readElementText();
                hasValue = true;
            } else if (reader.isStartElement() && reader.name() == QLatin1String("is")) {
                inlineText = readStringItem(reader);
            } else if (reader.isEndElement() && reader.name() == QLatin1String("c")) {
                break;
            }
        }
        QString text;
        if (type == QLatin1String("inlineStr")) {
            text = inlineText;
        } else if (!hasValue) {
            continue; // a formatted but empty cell
        } else if (type == QLatin1String("s")) {
            bool ok = false;
            const qsizetype at = value.trimmed().toLongLong(&ok);
            if (!ok || at < 0 || at >= m_sharedStrings.size())
                return corrupt(QStringLiteral("shared string ") + value);
            text = m_sharedStrings[at];
        } else if (type == QLatin1String("b")) {
            text = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (type == QLatin1String("str") || type == QLatin1String("e") || type == QLatin1String("d")) {
            text = unescapeOoxml(value);
        } else {
            text = numberText(value.trimmed());
        }
        if (text.isEmpty())
            continue;
        if (!grow(out, row, column, cells))
            return false;
        out[row][column] = text;
    }
    if (reader.hasError())
        return corrupt(reader.errorString());
    trim(out);
    rows = out;
    return true;
}

// ---- .xls ----

bool SpreadsheetReader::openXlsDirect()
{
    const QByteArray path = QFile::encodeName(m_path);
    const void* handle = nullptr;
    if (freexl_open(path.constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        return fail(Error::NotASpreadsheet, m_path);
    }
    m_xls->handle = handle;
    unsigned int protection = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK &&
        protection == FREEXL_BIFF_OBFUSCATED)
        return fail(Error::NotASpreadsheet, m_path);
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        return fail(Error::NotASpreadsheet, m_path);
    for (unsigned int i = 0; i < count && i < 0xffff; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK)
            return fail(Error::NotASpreadsheet, m_path);
        m_sheetNames.append(QString::fromUtf8(name ? name : ""));
    }
    return true;
}

bool SpreadsheetReader::readXlsSheetDirect(int index, SheetRows& rows)
{
    const void* handle = m_xls->handle;
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    if (freexl_select_active_worksheet(handle, static_cast<unsigned short>(index)) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rowCount, &columnCount) != FREEXL_OK)
        return fail(Error::NotASpreadsheet, m_path);
    if (qint64(rowCount) * columnCount > m_maxCells)
        return fail(Error::TooLarge, m_path);
    SheetRows out;
    qint64 cells = 0;
    for (unsigned int r = 0; r < rowCount; ++r) {
        for (unsigned short c = 0; c < columnCount; ++c) {
            FreeXL_CellValue cell{};
            if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK)
                continue;
            QString text;
            switch (cell.type) {
            case FREEXL_CELL_INT:
                text = QString::number(cell.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = QString::number(cell.value.double_value, 'g', 15);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                text = QString::fromUtf8(cell.value.text_value ? cell.value.text_value : "");
                break;
            default:
                break;
            }
            if (text.isEmpty())
                continue;
            if (!grow(out, r, c, cells))
                return false;
            out[r][c] = text;
        }
    }
    trim(out);
    rows = out;
    return true;
}

// FreeXL is run in a child process: a damaged file can crash it (seen), and
// that must cost the operator an error message, not the console.
bool SpreadsheetReader::openXls()
{
    if (QFileInfo(m_path).size() > m_maxPartBytes)
        return fail(Error::TooLarge, m_path);
    int channel[2];
    if (::pipe(channel) != 0)
        return fail(Error::CannotOpen,
                    QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return fail(Error::CannotOpen,
                    QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (child == 0) {
        ::close(channel[0]);
        QByteArray payload;
        {
            QDataStream out(&payload, QIODevice::WriteOnly);
            m_xls = new Xls;
            const bool opened = openXlsDirect();
            out << qint32(opened ? int(Error::None) : int(m_error)) << m_detail;
            put(out, m_sheetNames);
            for (int i = 0; opened && i < m_sheetNames.size(); ++i) {
                SheetRows rows;
                m_error = Error::None;
                m_detail.clear();
                readXlsSheetDirect(i, rows);
                out << qint32(m_error) << m_detail;
                put(out, rows);
            }
        }
        const char* data = payload.constData();
        qsizetype left = payload.size();
        while (left > 0) {
            const ssize_t written = ::write(channel[1], data, size_t(left));
            if (written <= 0)
                ::_exit(1);
            data += written;
            left -= written;
        }
        ::_exit(0);
    }

    ::close(channel[1]);
    QByteArray payload;
    bool timedOut = false;
    char buffer[64 * 1024];
    for (;;) {
        pollfd watch{channel[0], POLLIN, 0};
        const int ready = ::poll(&watch, 1, kLegacyReadTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        payload.append(buffer, got);
    }
    ::close(channel[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return fail(Error::NotASpreadsheet, m_path);
    return takeLegacyPayload(payload);
}

bool SpreadsheetReader::takeLegacyPayload(const QByteArray& payload)
{
    QDataStream in(payload);
    qint32 error = 0;
    // A code the helper cannot have sent means the bytes are garbled.
    const auto known = [](qint32 code) { return code >= 0 && code <= int(Error::TooLarge); };
    in >> error >> m_detail;
    take(in, m_sheetNames);
    if (!known(error))
        in.setStatus(QDataStream::ReadCorruptData);
    if (in.status() != QDataStream::Ok || error != int(Error::None)) {
        m_sheetNames.clear();
        return fail(in.status() == QDataStream::Ok ? Error(error) : Error::NotASpreadsheet,
                    m_detail.isEmpty() ? m_path : m_detail);
    }
    for (int i = 0; i < m_sheetNames.size(); ++i) {
        LegacySheet sheet;
        qint32 sheetError = 0;
        in >> sheetError >> sheet.detail;
        if (!take(in, sheet.rows) || !known(sheetError))
            break;
        sheet.error = Error(sheetError);
        m_legacySheets.append(sheet);
    }
    if (in.status() != QDataStream::Ok || m_legacySheets.size() != m_sheetNames.size()) {
        m_sheetNames.clear();
        m_legacySheets.clear();
        return fail(Error::NotASpreadsheet, m_path);
    }
    m_legacyOpen = true;
    return true;
}

bool SpreadsheetReader::readXlsSheet(int index, SheetRows& rows)
{
    const LegacySheet& sheet = m_legacySheets[index];
    if (sheet.error != Error::None)
        return fail(sheet.error, sheet.detail);
    rows = sheet.rows;
    return true;
}

bool SpreadsheetReader::readSheet(const QString& name, SheetRows& rows)
{
    m_error = Error::None;
    m_detail.clear();
    rows.clear();
    const int index = int(m_sheetNames.indexOf(name));
    if (!m_xlsx && !m_legacyOpen)
        return fail(Error::CannotOpen, m_path);
    if (index < 0)
        return fail(Error::SheetMissing, QStringLiteral("%1: %2").arg(m_path, name));
    return m_xlsx ? readXlsxSheet(index, rows) : readXlsSheet(index, rows);
}
