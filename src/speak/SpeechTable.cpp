#include "speak/SpeechTable.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace SpeechTable {

namespace {

const QString kEventKind = QStringLiteral("speech");
const QString kStoredTime = QStringLiteral("yyyyMMddHHmmss");
const QString kCreate = QStringLiteral(
    "create table if not exists SpeechLog(id integer primary key, CellNo int, EmpName varchar(50),"
    " openedAt varchar(20), closedAt varchar(20), seconds int, openedBy varchar(10), closedBy varchar(12),"
    " event int)");

const QString kOpenedWords[] = {QStringLiteral("console"), QStringLiteral("unit")};
const QString kClosedWords[] = {QStringLiteral("console"), QStringLiteral("unit"), QStringLiteral("time-up"),
                                QStringLiteral("close-all"), QStringLiteral("end")};

// The row as the record keeps it.
QString detailOf(int unit, const QString& delegate, const QString& openedAt, const QString& closedAt,
                 int seconds, const QString& openedBy, const QString& closedBy)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray{unit, delegate, openedAt, closedAt, seconds, openedBy, closedBy})
            .toJson(QJsonDocument::Compact));
}

QString detailOf(const DbRow& row)
{
    return detailOf(row.text("CellNo").toInt(), row.text("EmpName"), row.text("openedAt"),
                    row.text("closedAt"), row.text("seconds").toInt(), row.text("openedBy"),
                    row.text("closedBy"));
}

std::optional<bool> hasTable(const QString& path, const char* name)
{
    return DbAccess::findsRow(
        path, QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"),
        {QString::fromLatin1(name)});
}

} // namespace

QString storedWord(OpenedBy by)
{
    return kOpenedWords[int(by)];
}

QString storedWord(ClosedBy by)
{
    return kClosedWords[int(by)];
}

bool append(const QString& databasePath, const Speech& s)
{
    const QString opened = s.openedAt.toString(kStoredTime);
    const QString closed = s.closedAt.toString(kStoredTime);
    const QString detail = detailOf(s.unit, s.delegate, opened, closed, s.seconds, storedWord(s.openedBy),
                                    storedWord(s.closedBy));
    DbAccess db;
    if (!EventLog::connect(db, databasePath))
        return false;
    bool written = false;
    {
        DbTransaction transaction(db);
        written =
            transaction.isOpen() && db.execute(kCreate) && EventLog::append(db, kEventKind, detail, closed) &&
            db.execute(QStringLiteral("insert into SpeechLog(CellNo, EmpName, openedAt, closedAt, seconds,"
                                      " openedBy, closedBy, event) values(?, ?, ?, ?, ?, ?, ?, ?)"),
                       {s.unit, s.delegate, opened, closed, s.seconds, storedWord(s.openedBy),
                        storedWord(s.closedBy), db.lastInsertId()}) &&
            transaction.commit();
    }
    db.disconnect();
    return written;
}

std::optional<QList<Speech>> all(const QString& databasePath)
{
    const std::optional<bool> exists = hasTable(databasePath, "SpeechLog");
    if (!exists)
        return std::nullopt;
    QList<Speech> out;
    if (!*exists)
        return out;
    const auto rows =
        DbAccess::selectOnce(databasePath, QStringLiteral("select * from SpeechLog order by openedAt, id"));
    if (!rows)
        return std::nullopt;
    for (const DbRow& row : *rows) {
        Speech s;
        s.id = row.text("id").toLongLong();
        s.unit = row.text("CellNo").toInt();
        s.delegate = row.text("EmpName");
        s.openedAt = QDateTime::fromString(row.text("openedAt"), kStoredTime);
        s.closedAt = QDateTime::fromString(row.text("closedAt"), kStoredTime);
        s.seconds = row.text("seconds").toInt();
        s.openedBy = row.text("openedBy") == kOpenedWords[1] ? OpenedBy::Unit : OpenedBy::Console;
        for (int c = 0; c < int(std::size(kClosedWords)); ++c)
            if (row.text("closedBy") == kClosedWords[c])
                s.closedBy = ClosedBy(c);
        out << s;
    }
    return out;
}

Check check(const QString& databasePath)
{
    Check out;
    if (!QFileInfo::exists(ProgramFolder::filePath(databasePath)))
        return out;
    const std::optional<bool> speeches = hasTable(databasePath, "SpeechLog");
    const std::optional<bool> events = hasTable(databasePath, "EventLog");
    if (!speeches || !events) {
        out.outcome = Check::Outcome::Unreadable;
        return out;
    }
    if (!*events)
        return out;
    const auto entries = DbAccess::selectOnce(
        databasePath, QStringLiteral("select id, detail from EventLog where kind = ? order by id"),
        {kEventKind});
    const auto rows =
        *speeches ? DbAccess::selectOnce(databasePath, QStringLiteral("select * from SpeechLog order by id"))
                  : std::optional<QList<DbRow>>(QList<DbRow>());
    if (!entries || !rows) {
        out.outcome = Check::Outcome::Unreadable;
        return out;
    }
    QHash<qint64, QString> details;
    for (const DbRow& entry : *entries)
        details.insert(entry.text("id").toLongLong(), entry.text("detail"));
    QSet<qint64> seen;
    for (const DbRow& row : *rows) {
        const qint64 event = row.text("event").toLongLong();
        if (!details.contains(event) || seen.contains(event) || details.value(event) != detailOf(row)) {
            out.outcome = Check::Outcome::Altered;
            out.row = row.text("id").toLongLong();
            return out;
        }
        seen.insert(event);
    }
    for (const DbRow& entry : *entries) {
        if (!seen.contains(entry.text("id").toLongLong())) {
            out.outcome = Check::Outcome::Missing;
            out.row = entry.text("id").toLongLong();
            return out;
        }
    }
    return out;
}

QString describe(const Check& check)
{
    switch (check.outcome) {
    case Check::Outcome::Intact:
        return QStringLiteral("speeches fit the record");
    case Check::Outcome::Altered:
        return QStringLiteral("speech row %1 does not fit the record").arg(check.row);
    case Check::Outcome::Missing:
        return QStringLiteral("the speech of record row %1 is missing").arg(check.row);
    case Check::Outcome::Unreadable:
        break;
    }
    return QStringLiteral("the speeches could not be read");
}

} // namespace SpeechTable
