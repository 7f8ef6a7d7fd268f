#include "prep/DelegateTable.h"

#include "data/DbAccess.h"
#include "data/Schema.h"

namespace {

const char* const kInsert =
    "insert into Employees (CellNo,EmpName,EmpSex,Nationality,Unit,Title,Office_phone,delegacy,presidium,"
    "SeatNo,Grouping) values(?,?,?,?,?,?,?,?,?,?,?)";

DelegateRecord toRecord(const DbRow& row)
{
    DelegateRecord record;
    record.id = row.text("id").toLongLong();
    row.read("CellNo", record.CellNo);
    row.read("EmpName", record.EmpName);
    row.read("EmpSex", record.EmpSex);
    row.read("Nationality", record.Nationality);
    row.read("Unit", record.Unit);
    row.read("Title", record.Title);
    row.read("Office_phone", record.Office_phone);
    row.read("delegacy", record.delegacy);
    row.read("presidium", record.presidium);
    row.read("SeatNo", record.SeatNo);
    row.read("Grouping", record.Grouping);
    return record;
}

QVariantList insertValues(const DelegateRecord& r)
{
    return {r.CellNo,       r.EmpName,  r.EmpSex,    r.Nationality, r.Unit,    r.Title,
            r.Office_phone, r.delegacy, r.presidium, r.SeatNo,      r.Grouping};
}

} // namespace

QStringList DelegateRecord::listColumns() const
{
    return {CellNo, EmpName, EmpSex, Nationality, Unit, Title, Office_phone, delegacy, presidium, SeatNo};
}

DelegateRecord DelegateRecord::fromListColumns(const QStringList& columns, const QString& group)
{
    DelegateRecord r;
    QString* fields[] = {&r.CellNo, &r.EmpName,      &r.EmpSex,   &r.Nationality, &r.Unit,
                         &r.Title,  &r.Office_phone, &r.delegacy, &r.presidium,   &r.SeatNo};
    for (int i = 0; i < DelegateTable::kListColumns; ++i)
        *fields[i] = columns.value(i);
    r.Grouping = group;
    return r;
}

void DelegateTable::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

std::optional<QList<DelegateRecord>> DelegateTable::select(const QString& sql, const QVariantList& values)
{
    const auto rows = DbAccess::selectOnce(m_path, sql, values);
    if (!rows)
        return std::nullopt;
    QList<DelegateRecord> records;
    records.reserve(rows->size());
    for (const DbRow& row : *rows)
        records.append(toRecord(row));
    return records;
}

std::optional<QList<DelegateRecord>> DelegateTable::all()
{
    return select(QStringLiteral("select * from Employees order by ID"), {});
}

std::optional<QList<DelegateRecord>> DelegateTable::matching(const QString& value, FindBy by)
{
    return select(by == FindBy::UnitNumber
                      ? QStringLiteral("select * from Employees where CellNo = ? order by ID")
                      : QStringLiteral("select * from Employees where EmpName = ? order by ID"),
                  {value});
}

std::optional<DelegateRecord> DelegateTable::byId(qint64 id)
{
    const auto found = select(QStringLiteral("select * from Employees where id = ?"), {id});
    if (!found || found->isEmpty())
        return std::nullopt;
    return found->first();
}

bool DelegateTable::fillList(const std::optional<QList<DelegateRecord>>& found)
{
    list = found.value_or(QList<DelegateRecord>());
    return found.has_value();
}

bool DelegateTable::loadList()
{
    return fillList(all());
}

bool DelegateTable::find(const QString& value, FindBy by)
{
    return fillList(matching(value, by));
}

bool DelegateTable::load(const QString& unitNumber)
{
    const auto found = matching(unitNumber, FindBy::UnitNumber);
    if (!found || found->isEmpty())
        return false;
    record = found->first();
    return true;
}

bool DelegateTable::loadById(qint64 id)
{
    const std::optional<DelegateRecord> found = byId(id);
    if (found)
        record = *found;
    return found.has_value();
}

bool DelegateTable::exists(const QString& unitNumber)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Employees where CellNo = ?"),
                               {unitNumber});
}

bool DelegateTable::insert()
{
    DbAccess db;
    db.connect(m_path);
    const bool ok = db.isConnected() && db.execute(QString::fromLatin1(kInsert), insertValues(record));
    if (ok)
        record.id = db.lastInsertId();
    db.disconnect();
    return ok;
}

bool DelegateTable::update()
{
    const DelegateRecord& r = record;
    return DbAccess::executeOnce(
        m_path,
        QStringLiteral("update Employees set CellNo = ?, EmpName = ?, EmpSex = ?, Nationality = ?, Unit = ?,"
                       " Title = ?, Office_phone = ?, delegacy = ?, presidium = ?, SeatNo = ? where id = ?"),
        {r.CellNo, r.EmpName, r.EmpSex, r.Nationality, r.Unit, r.Title, r.Office_phone, r.delegacy,
         r.presidium, r.SeatNo, r.id});
}

bool DelegateTable::remove(const QString& unitNumber)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("delete from Employees where CellNo = ?"),
                                 {unitNumber});
}

bool DelegateTable::removeById(qint64 id)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("delete from Employees where id = ?"), {id});
}

bool DelegateTable::removeAll()
{
    return DbAccess::executeOnce(m_path, QStringLiteral("delete from Employees"));
}

QByteArray DelegateTable::photo(qint64 id)
{
    QByteArray bytes;
    DbAccess db;
    db.connect(m_path);
    db.query(QStringLiteral("select Photo from Employees where id = ?"), {id}).readBytes("Photo", bytes);
    db.disconnect();
    return bytes;
}

bool DelegateTable::setPhoto(qint64 id, const QByteArray& bytes)
{
    // An empty photo is stored as Null, like a delegate that never had one.
    return DbAccess::executeOnce(m_path, QStringLiteral("update Employees set Photo = ? where id = ?"),
                                 {bytes.isEmpty() ? QVariant() : QVariant(bytes), id});
}

bool DelegateTable::replaceWithImport(const QList<DelegateRecord>& records, const QString& group)
{
    DbAccess db;
    db.connect(m_path);
    if (!db.isConnected())
        return false;
    bool ok = false;
    {
        DbTransaction transaction(db);
        ok = transaction.isOpen() &&
             db.execute(QStringLiteral("delete from Employees where CellNo = ?"), {group});
        for (qsizetype i = 0; ok && i < records.size(); ++i) {
            DelegateRecord r = records[i];
            r.Grouping = group;
            ok = db.execute(QString::fromLatin1(kInsert), insertValues(r));
        }
        ok = ok && transaction.commit();
    }
    db.disconnect();
    return ok;
}
