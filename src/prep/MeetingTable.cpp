#include "prep/MeetingTable.h"

#include "data/DbAccess.h"
#include "core/ProgramFolder.h"
#include "prep/RecordKey.h"
#include "data/Schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

MeetingTable::MeetingTable() : m_path(Schema::kSystemDatabase) {}

void MeetingTable::loadList()
{
    names.clear();
    startDates.clear();
    DbAccess db;
    db.Connect(m_path);
    Recordset& rows = db.Query(QStringLiteral("select * from Mottag order by ID"));
    for (; !rows.isEof(); rows.moveNext()) {
        QString name, start;
        rows.read("MeeName", name);
        rows.read("DateStart", start);
        names.append(name);
        startDates.append(start);
    }
    db.Disconnect();
}

bool MeetingTable::load(const QString& name)
{
    record = MeetingRecord();
    DbAccess db;
    db.Connect(m_path);
    const Recordset& row = db.Query(QStringLiteral("select * from Mottag where MeeName = ?"), {name});
    const bool found = !row.isEof();
    if (found) {
        row.read("MeeName", record.MeeName);
        row.read("MeeAddr", record.MeeAddr);
        row.read("DateStart", record.DateStart);
        row.read("DateEnd", record.DateEnd);
        row.read("bannerPath", record.bannerPath);
        row.read("insertdate", record.insertdate);
        row.read("DueNum", record.DueNum);
        row.read("SignIn", record.SignIn);
        row.read("bSetLimit", record.bSetLimit);
        row.read("limit", record.limit);
    }
    db.Disconnect();
    return found;
}

bool MeetingTable::exists(const QString& name)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select ID from Mottag where MeeName = ?"), {name});
}

bool MeetingTable::keyExists(const QString& key)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select ID from Mottag where insertdate = ?"), {key});
}

MeetingTable::CreateResult MeetingTable::create(MeetingRecord& newRecord)
{
    if (exists(newRecord.MeeName))
        return CreateResult::NameTaken;
    newRecord.insertdate = RecordKey::next(QDateTime::currentDateTime(), [this](const QString& k) {
        return keyExists(k) || QDir(ProgramFolder::filePath(MeetingFiles::folder(k))).exists() ||
               QFile::exists(ProgramFolder::filePath(MeetingFiles::banner(k + QStringLiteral(".rtf"))));
    });
    // The database first: a meeting row without its database would be of no use.
    const Schema::CreateResult created = Schema::createMeetingDatabase(newRecord.MeeName);
    if (created == Schema::CreateResult::Failed)
        return CreateResult::Failed;
    record = newRecord;
    if (!insert()) {
        if (created == Schema::CreateResult::Created)
            QFile::remove(ProgramFolder::filePath(Schema::meetingDatabasePath(newRecord.MeeName)));
        return CreateResult::Failed;
    }
    return MeetingFiles::makeFolder(newRecord.insertdate) ? CreateResult::Created
                                                          : CreateResult::CreatedWithoutFolder;
}

bool MeetingTable::insert()
{
    return DbAccess::executeOnce(
        m_path,
        QStringLiteral("insert into Mottag (MeeName,MeeAddr,DateStart,DateEnd,DueNum,bSetLimit,"
                       "\"limit\",insertdate) values(?,?,?,?,?,?,?,?)"),
        {record.MeeName, record.MeeAddr, record.DateStart, record.DateEnd, record.DueNum, record.bSetLimit,
         record.limit, record.insertdate});
}

bool MeetingTable::update()
{
    return DbAccess::executeOnce(
        m_path,
        QStringLiteral("update Mottag set MeeName=?,MeeAddr=?,DateStart=?,DateEnd=?,DueNum=?,"
                       "bSetLimit=?,\"limit\"=? where insertdate=?"),
        {record.MeeName, record.MeeAddr, record.DateStart, record.DateEnd, record.DueNum, record.bSetLimit,
         record.limit, record.insertdate});
}

bool MeetingTable::setBanner(const QString& key, const QString& file)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("update Mottag set bannerPath=? where insertdate=?"),
                                 {file, key});
}

bool MeetingTable::remove(const QString& name)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("delete from Mottag where MeeName = ?"), {name});
}

namespace MeetingFiles {

QString folder(const QString& key)
{
    return QStringLiteral("MeeFile/%1").arg(key);
}

QString bannerFolder()
{
    return QStringLiteral("MeeFile/Meebanner");
}

QString banner(const QString& file)
{
    return bannerFolder() + QLatin1Char('/') + QFileInfo(file).fileName();
}

QString proposal(const QString& key, const QString& file)
{
    return folder(key) + QLatin1Char('/') + QFileInfo(file).fileName();
}

bool makeFolder(const QString& key)
{
    return RecordKey::isValid(key) && QDir().mkpath(ProgramFolder::filePath(folder(key)));
}

RenameResult renameDatabase(const QString& oldName, const QString& newName)
{
    const QString from = ProgramFolder::filePath(Schema::meetingDatabasePath(oldName));
    const QString to = ProgramFolder::filePath(Schema::meetingDatabasePath(newName));
    if (!QFileInfo::exists(from))
        return RenameResult::NothingToRename;
    if (QFileInfo::exists(to))
        return RenameResult::Refused;
    return QFile::rename(from, to) ? RenameResult::Renamed : RenameResult::Refused;
}

void removeFiles(const QString& name, const QString& key, const QString& bannerFile)
{
    if (!name.isEmpty())
        QFile::remove(ProgramFolder::filePath(Schema::meetingDatabasePath(name)));
    if (RecordKey::isValid(key))
        QDir(ProgramFolder::filePath(folder(key))).removeRecursively();
    if (!QFileInfo(bannerFile).fileName().isEmpty())
        QFile::remove(ProgramFolder::filePath(banner(bannerFile)));
}

} // namespace MeetingFiles
