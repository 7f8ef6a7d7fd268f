#include "data/EventLog.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace EventLog {

namespace {

const QString kCreate = QStringLiteral(
    "create table if not exists EventLog(id integer primary key, at varchar(20), kind varchar(20),"
    " detail text, prevHash varchar(64), hash varchar(64))");
const QString kAnchorColumns =
    QStringLiteral("RecordAnchor(meeting varchar(250) primary key, events int, head varchar(64))");
const QString kStoredTime = QStringLiteral("yyyyMMddHHmmss");
const QString kDesignedVoteTime = QStringLiteral("yyyy/MM/dd/-HH:mm:ss");

// The id is part of the content, so moving a row is as visible as editing it.
QString hashOf(qint64 id, const QString& at, const QString& kind, const QString& detail,
               const QString& prevHash)
{
    const QString content = QStringLiteral("%1\n%2\n%3\n%4\n%5").arg(id).arg(at, kind, detail, prevHash);
    return QString::fromLatin1(
        QCryptographicHash::hash(content.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// "Data/<name>.db" -> "<name>"
QString meetingOf(const QString& meetingPath)
{
    QString name = meetingPath;
    name.remove(0, name.indexOf(QLatin1Char('/')) + 1);
    name.chop(3);
    return name;
}

// No answer when the system database could not be read; a missing file has no table.
std::optional<bool> hasAnchorTable()
{
    if (!QFileInfo::exists(ProgramFolder::filePath(Schema::kSystemDatabase)))
        return false;
    return DbAccess::findsRow(Schema::kSystemDatabase,
                              QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ?"),
                              {QStringLiteral("RecordAnchor")});
}

} // namespace

bool connect(DbAccess& db, const QString& meetingPath)
{
    db.connect(meetingPath);
    return db.isConnected() && db.attach(QStringLiteral("anchor"), Schema::kSystemDatabase);
}

bool append(DbAccess& db, const QString& kind, const QString& detail, const QString& at)
{
    if (!db.execute(kCreate) ||
        !db.execute(QStringLiteral("create table if not exists anchor.") + kAnchorColumns))
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
    const QDateTime time = timeOf(at);
    const QString storedAt = time.isValid() ? time.toString(kStoredTime) : at;
    const QString hash = hashOf(id, storedAt, kind, detail, prevHash);
    return db.execute(
               QStringLiteral(
                   "insert into EventLog(id, at, kind, detail, prevHash, hash) values(?, ?, ?, ?, ?, ?)"),
               {id, storedAt, kind, detail, prevHash, hash}) &&
           db.execute(QStringLiteral("insert or replace into anchor.RecordAnchor(meeting, events, head)"
                                     " values(?, ?, ?)"),
                      {meetingOf(db.path()), id, hash});
}

QDateTime timeOf(const QString& at)
{
    const QDateTime stored = QDateTime::fromString(at, kStoredTime);
    return stored.isValid() ? stored : QDateTime::fromString(at, kDesignedVoteTime);
}

Chain readChain(DbAccess& db)
{
    Chain chain;
    const auto table = db.select(
        QStringLiteral("select name from sqlite_master where type = 'table' and name = 'EventLog'"));
    if (!table) {
        chain.status = Chain::Status::Unreadable;
        return chain;
    }
    if (table->isEmpty()) {
        chain.status = Chain::Status::NoTable;
        return chain;
    }
    const auto rows = db.select(QStringLiteral("select * from EventLog order by id"));
    if (!rows) {
        chain.status = Chain::Status::Unreadable;
        return chain;
    }
    QString prevHash;
    qint64 expectedId = 1;
    for (const DbRow& row : *rows) {
        const Event event{row.text("id").toLongLong(), row.text("at"), row.text("kind"), row.text("detail"),
                          row.text("hash")};
        // A deleted row leaves a gap in the ids and a prevHash that no longer fits.
        if (event.id != expectedId || row.text("prevHash") != prevHash ||
            hashOf(event.id, event.at, event.kind, event.detail, prevHash) != event.hash) {
            chain.status = Chain::Status::Broken;
            chain.brokenRow = event.id;
            return chain;
        }
        chain.events.append(event);
        prevHash = event.hash;
        ++expectedId;
    }
    return chain;
}

std::optional<std::optional<Anchor>> readAnchor(const QString& meetingName, bool* tableMissing)
{
    DbAccess db;
    db.connectReadOnly(Schema::kSystemDatabase);
    const auto table = db.select(
        QStringLiteral("select name from sqlite_master where type = 'table' and name = 'RecordAnchor'"));
    if (!table)
        return std::nullopt;
    if (tableMissing)
        *tableMissing = table->isEmpty();
    if (table->isEmpty())
        return std::optional<Anchor>();
    const auto rows =
        db.select(QStringLiteral("select events, head from RecordAnchor where meeting = ?"), {meetingName});
    if (!rows)
        return std::nullopt;
    if (rows->isEmpty())
        return std::optional<Anchor>();
    return std::optional<Anchor>(Anchor{rows->first().text("events").toInt(), rows->first().text("head")});
}

bool ensureAnchors()
{
    const std::optional<bool> has = hasAnchorTable();
    if (!has)
        return false;
    if (*has)
        return true;
    DbAccess system;
    system.connect(Schema::kSystemDatabase);
    if (!system.execute(QStringLiteral("create table ") + kAnchorColumns))
        return false;
    const QDir data(ProgramFolder::filePath(QStringLiteral("Data")));
    for (const QFileInfo& file : data.entryInfoList({QStringLiteral("*.db")}, QDir::Files)) {
        const QString path = QStringLiteral("Data/") + file.fileName();
        DbAccess meeting;
        meeting.connectReadOnly(path);
        const Chain chain = readChain(meeting);
        if (chain.status != Chain::Status::Whole || chain.events.isEmpty())
            continue;
        system.execute(QStringLiteral("insert into RecordAnchor(meeting, events, head) values(?, ?, ?)"),
                       {meetingOf(path), int(chain.events.size()), chain.events.last().hash});
    }
    return true;
}

bool renameAnchor(const QString& oldName, const QString& newName)
{
    return hasAnchorTable().value_or(false)
               ? DbAccess::executeOnce(
                     Schema::kSystemDatabase,
                     QStringLiteral("update RecordAnchor set meeting = ? where meeting = ?"),
                     {newName, oldName})
               : true;
}

bool dropAnchor(const QString& meetingName)
{
    return hasAnchorTable().value_or(false)
               ? DbAccess::executeOnce(Schema::kSystemDatabase,
                                       QStringLiteral("delete from RecordAnchor where meeting = ?"),
                                       {meetingName})
               : true;
}

} // namespace EventLog
