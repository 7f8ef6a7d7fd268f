#include "data/EventLog.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace EventLog {

namespace {

const QString kCreate = QStringLiteral(
    "create table if not exists EventLog(id integer primary key, at varchar(20), kind varchar(20),"
    " detail text, prevHash varchar(64), hash varchar(64))");

// The id is part of the content, so moving a row is as visible as editing it.
QString hashOf(qint64 id, const QString& at, const QString& kind, const QString& detail,
               const QString& prevHash)
{
    const QString content = QStringLiteral("%1\n%2\n%3\n%4\n%5").arg(id).arg(at, kind, detail, prevHash);
    return QString::fromLatin1(
        QCryptographicHash::hash(content.toUtf8(), QCryptographicHash::Sha256).toHex());
}

} // namespace

bool append(DbAccess& db, const QString& kind, const QString& detail, const QString& at)
{
    if (!db.Execute(kCreate))
        return false;
    const auto last = db.select(QStringLiteral("select id, hash from EventLog order by id desc limit 1"));
    if (!last)
        return false;
    qint64 id = 1;
    QString prevHash;
    if (!last->isEmpty()) {
        id = last->first().text("id").toLongLong() + 1;
        prevHash = last->first().text("hash");
    }
    return db.Execute(
        QStringLiteral("insert into EventLog(id, at, kind, detail, prevHash, hash) values(?, ?, ?, ?, ?, ?)"),
        {id, at, kind, detail, prevHash, hashOf(id, at, kind, detail, prevHash)});
}

Check verify(const QString& path)
{
    Check check;
    if (!QFileInfo::exists(ProgramFolder::filePath(path))) {
        check.outcome = Check::Outcome::NoDatabase;
        return check;
    }
    const std::optional<bool> hasTable = DbAccess::findsRow(
        path, QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"),
        {QStringLiteral("EventLog")});
    if (!hasTable) {
        check.outcome = Check::Outcome::Unreadable;
        return check;
    }
    if (!*hasTable)
        return check;
    const auto rows = DbAccess::selectOnce(path, QStringLiteral("select * from EventLog order by id"));
    if (!rows) {
        check.outcome = Check::Outcome::Unreadable;
        return check;
    }
    QString prevHash;
    qint64 expectedId = 1;
    for (const DbRow& row : *rows) {
        const qint64 id = row.text("id").toLongLong();
        const QString hash = row.text("hash");
        // A deleted row leaves a gap in the ids and a prevHash that no longer fits.
        if (id != expectedId || row.text("prevHash") != prevHash ||
            hashOf(id, row.text("at"), row.text("kind"), row.text("detail"), prevHash) != hash) {
            check.outcome = Check::Outcome::Broken;
            check.brokenRow = id;
            return check;
        }
        prevHash = hash;
        ++expectedId;
        ++check.rows;
    }
    return check;
}

QString describe(const Check& check)
{
    switch (check.outcome) {
    case Check::Outcome::Intact:
        return QStringLiteral("record intact (%1 events)").arg(check.rows);
    case Check::Outcome::Broken:
        return QStringLiteral("record broken at row %1").arg(check.brokenRow);
    case Check::Outcome::NoDatabase:
        return QStringLiteral("the meeting has no database file");
    case Check::Outcome::Unreadable:
        break;
    }
    return QStringLiteral("the record could not be read");
}

} // namespace EventLog
