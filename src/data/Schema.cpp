#include "data/Schema.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

// Text columns stay text; numbers of the settings row are whole numbers.
const char* const kSystemTables[] = {
    "create table sysbasicset(Tag varchar(10), cellnum int, cinnum int, comlow int, comHigh int,"
    " ScrTextColor varchar(20), ScrSize varchar(20), ScrColor varchar(20), UserPass varchar(50),"
    " SeatYesORNo varchar(10), ico varchar(50), per int, Pass int, mark varchar(50), AnswerPace int default "
    "0, SpeakLimit int default 0, SpeakClose int default 0, WebOn int default 0, WebPort int default 8080,"
    " WebAddress varchar(64) default '', SpeakName int default 0)",
    "create table Manage(tag varchar(10), borderism varchar(10), function varchar(10),"
    " mianbmp varchar(100), logobmp varchar(100))",
    // "limit" is a keyword of the store and has to be quoted wherever it is named.
    "create table Mottag(ID integer primary key autoincrement, MeeName varchar(250), MeeAddr varchar(250),"
    " DateStart varchar(30), DateEnd varchar(30), DueNum varchar(10), bSetLimit varchar(2), \"limit\" "
    "varchar(10),"
    " insertdate varchar(20), bannerPath varchar(100), SignIn varchar(10))",
};

const char* const kMeetingTables[] = {
    "create table Overture(id integer primary key autoincrement, OveName varchar(250), OveType varchar(30),"
    " VoteBase varchar(30), VoteAbet varchar(10), VoteAbetValue int, VoteTimelRes tinyint,"
    " VoteTimelValue varchar(10), Unit tinyint, ViewPer tinyint, ViewPass tinyint, VoteDll tinyint,"
    " ytText varchar(30), VoteState varchar(6), result varchar(100), factresult1 varchar(250),"
    " factresult2 varchar(250), factresult3 varchar(250), PollTimel varchar(50), rtf varchar(50),"
    " mark varchar(50), candidate varchar(100), insertdate varchar(50))",
    "create table Employees(id integer primary key autoincrement, CellNo varchar(5), EmpName varchar(50),"
    " Photo blob, EmpSex varchar(10), Nationality varchar(40), Unit varchar(40), Title varchar(20),"
    " Office_phone varchar(30), delegacy varchar(30), presidium varchar(30), SeatNo varchar(30),"
    " sign varchar(30), Grouping varchar(30))",
    "create table SignIn(id integer primary key autoincrement, CellNo varchar(10), sign varchar(30))",
};

template <size_t N> bool createTables(DbAccess& db, const char* const (&statements)[N])
{
    DbTransaction transaction(db);
    for (const char* statement : statements)
        if (!db.execute(QString::fromLatin1(statement)))
            return false;
    return transaction.commit();
}

// Builds a new database file under a temporary name and moves it into place
// only when every table is there.
bool buildDatabase(const QString& path, const std::function<bool(DbAccess&)>& fill)
{
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(ProgramFolder::filePath(partial));
    bool built = false;
    {
        DbAccess db;
        built = db.create(partial) && fill(db);
        db.disconnect();
    }
    if (built)
        built = QFile::rename(ProgramFolder::filePath(partial), ProgramFolder::filePath(path));
    if (!built)
        QFile::remove(ProgramFolder::filePath(partial));
    return built;
}

// Columns later versions added to the settings row; an older file gets them with their defaults.
bool addMissingSettingsColumns()
{
    const char* const columns[][2] = {
        {"AnswerPace", "int default 0"}, {"SpeakLimit", "int default 0"},
        {"SpeakClose", "int default 0"}, {"WebOn", "int default 0"},
        {"WebPort", "int default 8080"}, {"WebAddress", "varchar(64) default ''"},
        {"SpeakName", "int default 0"}};
    for (const auto& [name, type] : columns)
        if (!Schema::ensureColumn(Schema::kSystemDatabase, QStringLiteral("sysbasicset"),
                                  QString::fromLatin1(name), QString::fromLatin1(type)))
            return false;
    return true;
}

} // namespace

namespace Schema {

QString meetingDatabasePath(const QString& meetingName)
{
    return QStringLiteral("Data/%1.db").arg(meetingName);
}

bool ensureColumn(const QString& path, const QString& table, const QString& column, const QString& type)
{
    const std::optional<bool> has = DbAccess::findsRow(
        path, QStringLiteral("select 1 from pragma_table_info('%1') where name = ?").arg(table), {column});
    return has &&
           (*has || DbAccess::executeOnce(
                        path, QStringLiteral("alter table %1 add column %2 %3").arg(table, column, type)));
}

bool ensureSystemDatabase()
{
    if (QFileInfo::exists(ProgramFolder::filePath(kSystemDatabase)))
        return addMissingSettingsColumns();
    QDir().mkpath(QFileInfo(ProgramFolder::filePath(kSystemDatabase)).path());
    return buildDatabase(kSystemDatabase, [](DbAccess& db) {
        if (!createTables(db, kSystemTables))
            return false;
        // White text on a dark blue screen; colours are red + green*256 + blue*65536.
        return db.execute(
                   QStringLiteral("insert into sysbasicset(Tag,cellnum,cinnum,comlow,comHigh,ScrTextColor,"
                                  "ScrSize,ScrColor,UserPass,SeatYesORNo,ico,per,Pass,mark)"
                                  " values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                   {QStringLiteral("tag"), 40, 1, 1, 8, QStringLiteral("16777215"),
                    QStringLiteral("1024*768"), QStringLiteral("6299648"), QString(""), QStringLiteral("No"),
                    QStringLiteral("seat.png"), 1, 1, QStringLiteral("0:25:50:75:100:")}) &&
               db.execute(QStringLiteral("insert into Manage(tag,borderism,function,mianbmp,logobmp)"
                                         " values(?,?,?,?,?)"),
                          {QStringLiteral("tag"), QStringLiteral("1"), QStringLiteral("0"),
                           QStringLiteral("main.png"), QStringLiteral("logo.png")});
    });
}

CreateResult createMeetingDatabase(const QString& meetingName, bool replaceExisting)
{
    const QString path = meetingDatabasePath(meetingName);
    const QString fullPath = ProgramFolder::filePath(path);
    if (QFileInfo::exists(fullPath)) {
        if (!replaceExisting)
            return CreateResult::Exists;
        QFile::setPermissions(fullPath,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        if (!QFile::remove(fullPath))
            return CreateResult::CannotReplace;
    }
    if (!QDir().mkpath(ProgramFolder::filePath(QStringLiteral("Data"))))
        return CreateResult::CannotReplace;
    if (!buildDatabase(path, [](DbAccess& db) { return createTables(db, kMeetingTables); }))
        return CreateResult::Failed;
    // A new file starts a new record: an anchor left by an older file of that name no longer holds.
    EventLog::dropAnchor(meetingName);
    return CreateResult::Created;
}

} // namespace Schema
