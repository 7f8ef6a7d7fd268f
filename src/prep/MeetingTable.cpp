#include "prep/MeetingTable.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "prep/RecordKey.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

MeetingTable::MeetingTable() : m_path(Schema::kSystemDatabase) {}

namespace {

MeetingRecord toRecord(const DbRow& row)
{
    MeetingRecord record;
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
    return record;
}

} // namespace

std::optional<QList<MeetingRecord>> MeetingTable::all()
{
    const auto rows = DbAccess::selectOnce(m_path, QStringLiteral("select * from Mottag order by ID"));
    if (!rows)
        return std::nullopt;
    QList<MeetingRecord> meetings;
    for (const DbRow& row : *rows)
        meetings.append(toRecord(row));
    return meetings;
}

std::optional<MeetingRecord> MeetingTable::find(const QString& name)
{
    const auto rows = DbAccess::selectOnce(
        m_path, QStringLiteral("select * from Mottag where MeeName = ? order by ID"), {name});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    return toRecord(rows->first());
}

bool MeetingTable::loadList()
{
    names.clear();
    startDates.clear();
    const auto meetings = all();
    if (!meetings)
        return false;
    for (const MeetingRecord& meeting : *meetings) {
        names.append(meeting.MeeName);
        startDates.append(meeting.DateStart);
    }
    return true;
}

bool MeetingTable::load(const QString& name)
{
    const std::optional<MeetingRecord> found = find(name);
    record = found.value_or(MeetingRecord());
    return found.has_value();
}

bool MeetingTable::exists(const QString& name)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select ID from Mottag where MeeName = ?"), {name});
}

bool MeetingTable::keyExists(const QString& key)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select ID from Mottag where insertdate = ?"), {key});
}

MeetingTable::CreateResult MeetingTable::create(MeetingRecord& newRecord, ExistingDatabase existing)
{
    // A name check that could not run must not read as "free".
    const std::optional<bool> taken = DbAccess::findsRow(
        m_path, QStringLiteral("select ID from Mottag where MeeName = ?"), {newRecord.MeeName});
    if (!taken)
        return CreateResult::Failed;
    if (*taken)
        return CreateResult::NameTaken;
    newRecord.insertdate = RecordKey::next(QDateTime::currentDateTime(), [this](const QString& k) {
        return keyExists(k) || QDir(ProgramFolder::filePath(MeetingFiles::folder(k))).exists() ||
               QFile::exists(ProgramFolder::filePath(MeetingFiles::banner(k + QStringLiteral(".rtf"))));
    });
    // The database first: a meeting row without its database would be of no use.
    const Schema::CreateResult created =
        Schema::createMeetingDatabase(newRecord.MeeName, existing == ExistingDatabase::Replace);
    switch (created) {
    case Schema::CreateResult::Created:
        break;
    case Schema::CreateResult::Exists:
        if (existing != ExistingDatabase::Keep)
            return CreateResult::DatabaseExists;
        break;
    case Schema::CreateResult::CannotReplace:
        return CreateResult::CannotReplaceDatabase;
    case Schema::CreateResult::Failed:
        return CreateResult::Failed;
    }
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
    if (!QFile::rename(from, to))
        return RenameResult::Refused;
    EventLog::renameAnchor(oldName, newName); // the record's anchor follows its file
    return RenameResult::Renamed;
}

void removeFiles(const QString& name, const QString& key, const QString& bannerFile)
{
    if (!name.isEmpty() && QFile::remove(ProgramFolder::filePath(Schema::meetingDatabasePath(name))))
        EventLog::dropAnchor(name);
    if (RecordKey::isValid(key))
        QDir(ProgramFolder::filePath(folder(key))).removeRecursively();
    if (!QFileInfo(bannerFile).fileName().isEmpty())
        QFile::remove(ProgramFolder::filePath(banner(bannerFile)));
}

} // namespace MeetingFiles
