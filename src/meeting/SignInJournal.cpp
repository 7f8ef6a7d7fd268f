#include "meeting/SignInJournal.h"

#include "data/DbAccess.h"

namespace {

const QString kStartRow = QStringLiteral("0");

bool ensureTable(DbAccess& db)
{
    return db.execute(QStringLiteral("create table if not exists SignInJournal(id integer primary key, "
                                     "CellNo varchar(10), at varchar(20), how varchar(20))"));
}

bool insert(DbAccess& db, const QString& unit, const QString& at, const QString& how)
{
    return db.execute(QStringLiteral("insert into SignInJournal(CellNo, at, how) values(?, ?, ?)"),
                      {unit, at, how});
}

} // namespace

bool SignInJournal::open(const QString& startAt, bool supplementary)
{
    DbAccess db;
    db.connect(m_path);
    if (!db.isConnected())
        return false;
    DbTransaction transaction(db);
    return transaction.isOpen() && clear(db) &&
           insert(db, kStartRow, startAt, supplementary ? ArrivalHow::kSupplementary : ArrivalHow::kKey) &&
           transaction.commit();
}

bool SignInJournal::note(const QList<Arrival>& arrivals)
{
    if (arrivals.isEmpty())
        return true;
    DbAccess db;
    db.connect(m_path);
    if (!db.isConnected())
        return false;
    DbTransaction transaction(db);
    if (!transaction.isOpen())
        return false;
    for (const Arrival& arrival : arrivals)
        if (!insert(db, QString::number(arrival.unit), arrival.at, arrival.how))
            return false;
    return transaction.commit();
}

std::optional<SignInJournal::Round> SignInJournal::find(const QString& path)
{
    const std::optional<bool> hasTable = DbAccess::findsRow(
        path, QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"),
        {QStringLiteral("SignInJournal")});
    if (!hasTable || !*hasTable)
        return std::nullopt;
    const auto rows =
        DbAccess::selectOnce(path, QStringLiteral("select CellNo, at, how from SignInJournal order by id"));
    if (!rows || rows->isEmpty())
        return std::nullopt;
    Round round;
    for (const DbRow& row : *rows) {
        if (row.text("CellNo") == kStartRow) {
            round.startAt = row.text("at");
            round.supplementary = row.text("how") == ArrivalHow::kSupplementary;
        } else {
            round.arrivals.append({row.text("CellNo").toInt(), row.text("at"), row.text("how")});
        }
    }
    return round;
}

bool SignInJournal::clear(DbAccess& db)
{
    return ensureTable(db) && db.execute(QStringLiteral("delete from SignInJournal"));
}
