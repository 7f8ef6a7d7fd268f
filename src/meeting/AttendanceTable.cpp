#include "meeting/AttendanceTable.h"

#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "meeting/SignInJournal.h"

bool AttendanceTable::ensureOwnTables(DbAccess& db)
{
    return db.execute(
               QStringLiteral("create table if not exists SignInTime(id integer primary key "
                              "autoincrement, CellNo varchar(10), at varchar(20), how varchar(20))")) &&
           db.execute(
               QStringLiteral("create table if not exists SignInRound(id integer primary key autoincrement,"
                              " startAt varchar(20), endAt varchar(20), kind varchar(20), due varchar(10),"
                              " present varchar(10), quorum varchar(2))"));
}

bool AttendanceTable::insertArrivals(DbAccess& db, const QList<Arrival>& arrivals)
{
    for (const Arrival& arrival : arrivals)
        if (!db.execute(QStringLiteral("insert into SignInTime(CellNo, at, how) values(?, ?, ?)"),
                        {QString::number(arrival.unit), arrival.at, arrival.how}) ||
            !EventLog::append(db, EventLog::kUnitSignedIn,
                              QStringLiteral("unit %1 %2").arg(arrival.unit).arg(arrival.how), arrival.at))
            return false;
    return true;
}

void AttendanceTable::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

bool AttendanceTable::writeRound(const QStringList& marks, const QList<Arrival>& arrivals,
                                 const SignInRoundRecord& round)
{
    DbAccess db;
    if (!EventLog::connect(db, m_path))
        return false;
    DbTransaction transaction(db);
    // The journal of the arrivals goes with the attendance it led to.
    if (!transaction.isOpen() || !ensureOwnTables(db) || !SignInJournal::clear(db) ||
        !EventLog::append(db, EventLog::kSignInStarted,
                          round.supplementary ? ArrivalHow::kSupplementary : QStringLiteral("normal"),
                          round.startAt))
        return false;
    for (int i = 0; i < marks.size(); ++i) {
        const QString unit = QString::number(i + 1);
        if (!db.execute(QStringLiteral("update Employees set sign = ? where CellNo = ?"), {marks[i], unit}) ||
            !db.execute(QStringLiteral("insert into SignIn(CellNo, sign) values(?, ?)"), {unit, marks[i]}))
            return false;
    }
    if (!insertArrivals(db, arrivals) ||
        !db.execute(QStringLiteral("insert into SignInRound(startAt, endAt, kind, due, present, quorum)"
                                   " values(?, ?, ?, ?, ?, ?)"),
                    {round.startAt, round.endAt,
                     round.supplementary ? ArrivalHow::kSupplementary : QStringLiteral("normal"),
                     QString::number(round.due), QString::number(round.present), round.quorum}) ||
        !EventLog::append(
            db, EventLog::kSignInEnded,
            QStringLiteral("due %1 present %2 quorum %3").arg(round.due).arg(round.present).arg(round.quorum),
            round.endAt))
        return false;
    return transaction.commit();
}

bool AttendanceTable::writeArrivals(const QList<Arrival>& arrivals)
{
    DbAccess db;
    if (!EventLog::connect(db, m_path))
        return false;
    DbTransaction transaction(db);
    return transaction.isOpen() && ensureOwnTables(db) && insertArrivals(db, arrivals) &&
           transaction.commit();
}
