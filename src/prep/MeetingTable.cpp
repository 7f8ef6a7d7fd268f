#include "prep/MeetingTable.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/FieldList.h"
#include "data/Schema.h"
#include "prep/RecordKey.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

MeetingTable::MeetingTable(QObject* parent) : QObject(parent), m_path(Schema::kSystemDatabase) {}

namespace {

// The columns that insert and update write, in this order, and their values.
const char* const kWrittenColumns = "MeeName,MeeAddr,DateStart,DateEnd,DueNum,bSetLimit,\"limit\"";

QVariantList writtenValues(const Meeting& meeting)
{
    return {meeting.name,
            meeting.place,
            Meeting::dateText(meeting.start),
            Meeting::dateText(meeting.end),
            QString::number(meeting.due),
            storedFlag(meeting.legalRatio.has_value()),
            QString::number(meeting.legalRatio.value_or(0))};
}

std::optional<int> number(const DbRow& row, const char* column)
{
    bool ok = false;
    const int value = row.text(column).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

Meeting toMeeting(const DbRow& row)
{
    Meeting meeting;
    row.read("MeeName", meeting.name);
    row.read("MeeAddr", meeting.place);
    const QString format = QLatin1String(Meeting::kDateFormat);
    meeting.start = QDate::fromString(row.text("DateStart").left(10), format);
    meeting.end = QDate::fromString(row.text("DateEnd").left(10), format);
    row.read("bannerPath", meeting.bannerFile);
    row.read("insertdate", meeting.key);
    meeting.due = number(row, "DueNum").value_or(0); // text that is no number counts as 0
    meeting.present = number(row, "SignIn");
    const QString ratioSwitch = row.text("bSetLimit");
    if (ratioSwitch == storedFlag(true))
        meeting.legalRatio = number(row, "limit").value_or(0);
    meeting.ratioSwitchUnknown = ratioSwitch != storedFlag(true) && ratioSwitch != storedFlag(false);
    return meeting;
}

enum class RenameResult
{
    Renamed,
    NothingToRename, // the old file is missing: nothing is lost
    Refused          // the old file stays; the new name is taken or the move failed
};

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

} // namespace

std::optional<QList<Meeting>> MeetingTable::all()
{
    const auto rows = DbAccess::selectOnce(m_path, QStringLiteral("select * from Mottag order by ID"));
    if (!rows)
        return std::nullopt;
    QList<Meeting> meetings;
    for (const DbRow& row : *rows)
        meetings.append(toMeeting(row));
    return meetings;
}

std::optional<Meeting> MeetingTable::find(const QString& name)
{
    const auto rows = DbAccess::selectOnce(
        m_path, QStringLiteral("select * from Mottag where MeeName = ? order by ID"), {name});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    return toMeeting(rows->first());
}

bool MeetingTable::exists(const QString& name)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select ID from Mottag where MeeName = ?"), {name});
}

bool MeetingTable::keyExists(const QString& key)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select ID from Mottag where insertdate = ?"), {key});
}

MeetingTable::CreateResult MeetingTable::create(Meeting& meeting, ExistingDatabase existing)
{
    // A name check that could not run must not read as "free".
    const std::optional<bool> taken =
        DbAccess::findsRow(m_path, QStringLiteral("select ID from Mottag where MeeName = ?"), {meeting.name});
    if (!taken)
        return CreateResult::Failed;
    if (*taken)
        return CreateResult::NameTaken;
    meeting.key = RecordKey::next(QDateTime::currentDateTime(), [this](const QString& k) {
        return keyExists(k) || QDir(ProgramFolder::filePath(MeetingFiles::folder(k))).exists() ||
               QFile::exists(ProgramFolder::filePath(MeetingFiles::banner(k + QStringLiteral(".rtf"))));
    });
    // The database first: a meeting row without its database would be of no use.
    const Schema::CreateResult created =
        Schema::createMeetingDatabase(meeting.name, existing == ExistingDatabase::Replace);
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
    if (!insert(meeting)) {
        if (created == Schema::CreateResult::Created)
            QFile::remove(ProgramFolder::filePath(Schema::meetingDatabasePath(meeting.name)));
        return CreateResult::Failed;
    }
    return MeetingFiles::makeFolder(meeting.key) ? CreateResult::Created : CreateResult::CreatedWithoutFolder;
}

bool MeetingTable::insert(const Meeting& meeting)
{
    const bool done =
        DbAccess::executeOnce(m_path,
                              QStringLiteral("insert into Mottag (%1,insertdate) values(?,?,?,?,?,?,?,?)")
                                  .arg(QLatin1String(kWrittenColumns)),
                              writtenValues(meeting) << meeting.key);
    if (done)
        emit changed();
    return done;
}

bool MeetingTable::update(const Meeting& meeting)
{
    const bool done = DbAccess::executeOnce(
        m_path,
        QStringLiteral("update Mottag set MeeName=?,MeeAddr=?,DateStart=?,DateEnd=?,DueNum=?,"
                       "bSetLimit=?,\"limit\"=? where insertdate=?"),
        writtenValues(meeting) << meeting.key);
    if (done)
        emit changed();
    return done;
}

MeetingTable::ChangeResult MeetingTable::change(const QString& storedName, const Meeting& meeting)
{
    bool renamed = false;
    if (meeting.name != storedName) {
        if (exists(meeting.name))
            return ChangeResult::NameTaken;
        const RenameResult result = renameDatabase(storedName, meeting.name);
        if (result == RenameResult::Refused)
            return ChangeResult::DatabaseRefused;
        renamed = result == RenameResult::Renamed;
    }
    if (update(meeting))
        return ChangeResult::Changed;
    if (renamed)
        renameDatabase(meeting.name, storedName);
    return ChangeResult::Failed;
}

bool MeetingTable::setBanner(const QString& key, const QString& file)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("update Mottag set bannerPath=? where insertdate=?"),
                                 {file, key});
}

bool MeetingTable::setPresent(const QString& name, int present)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("update Mottag set SignIn = ? where MeeName = ?"),
                                 {QString::number(present), name});
}

bool MeetingTable::anySignedIn()
{
    return DbAccess::rowExists(m_path, QStringLiteral("select 1 from Mottag where SignIn <> ''"), {});
}

bool MeetingTable::remove(const Meeting& meeting)
{
    if (!DbAccess::executeOnce(m_path, QStringLiteral("delete from Mottag where MeeName = ?"),
                               {meeting.name}))
        return false;
    MeetingFiles::removeFiles(meeting.name, meeting.key, meeting.bannerFile);
    emit changed();
    return true;
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
