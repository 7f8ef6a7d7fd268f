#include "prep/DelegateTable.h"

#include "data/DbAccess.h"
#include "data/Schema.h"

namespace {

const char* const kInsert =
    "insert into Employees (CellNo,EmpName,EmpSex,Nationality,Unit,Title,Office_phone,delegacy,presidium,"
    "SeatNo,Grouping) values(?,?,?,?,?,?,?,?,?,?,?)";

void readRecord(const Recordset& rows, DelegateRecord& record)
{
    QString id;
    rows.read("id", id);
    record.id = id.toLongLong();
    rows.read("CellNo", record.CellNo);
    rows.read("EmpName", record.EmpName);
    rows.read("EmpSex", record.EmpSex);
    rows.read("Nationality", record.Nationality);
    rows.read("Unit", record.Unit);
    rows.read("Title", record.Title);
    rows.read("Office_phone", record.Office_phone);
    rows.read("delegacy", record.delegacy);
    rows.read("presidium", record.presidium);
    rows.read("SeatNo", record.SeatNo);
    rows.read("Grouping", record.Grouping);
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

bool DelegateTable::fillList(const QString& sql, const QVariantList& values)
{
    list.clear();
    DbAccess db;
    db.Connect(m_path);
    if (!db.isConnected())
        return false;
    Recordset& rows = db.Query(sql, values);
    for (; !rows.isEof(); rows.moveNext()) {
        DelegateRecord r;
        readRecord(rows, r);
        list.append(r);
    }
    db.Disconnect();
    return true;
}

bool DelegateTable::loadList()
{
    return fillList(QStringLiteral("select * from Employees order by ID"), {});
}

bool DelegateTable::find(const QString& value, FindBy by)
{
    return fillList(by == FindBy::UnitNumber
                        ? QStringLiteral("select * from Employees where CellNo = ? order by ID")
                        : QStringLiteral("select * from Employees where EmpName = ? order by ID"),
                    {value});
}

bool DelegateTable::load(const QString& unitNumber)
{
    return loadOne(QStringLiteral("select * from Employees where CellNo = ? order by ID"), unitNumber);
}

bool DelegateTable::loadById(qint64 id)
{
    return loadOne(QStringLiteral("select * from Employees where id = ?"), id);
}

bool DelegateTable::loadOne(const QString& sql, const QVariant& key)
{
    DbAccess db;
    db.Connect(m_path);
    Recordset& rows = db.Query(sql, {key});
    const bool found = !rows.isEof();
    if (found) {
        record = DelegateRecord();
        readRecord(rows, record);
    }
    db.Disconnect();
    return found;
}

bool DelegateTable::exists(const QString& unitNumber)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Employees where CellNo = ?"),
                               {unitNumber});
}

bool DelegateTable::insert()
{
    DbAccess db;
    db.Connect(m_path);
    const bool ok = db.isConnected() && db.Execute(QString::fromLatin1(kInsert), insertValues(record));
    if (ok)
        record.id = db.lastInsertId();
    db.Disconnect();
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
    db.Connect(m_path);
    db.Query(QStringLiteral("select Photo from Employees where id = ?"), {id}).readBytes("Photo", bytes);
    db.Disconnect();
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
    db.Connect(m_path);
    if (!db.isConnected())
        return false;
    bool ok = false;
    {
        DbTransaction transaction(db);
        ok = transaction.isOpen() &&
             db.Execute(QStringLiteral("delete from Employees where CellNo = ?"), {group});
        for (qsizetype i = 0; ok && i < records.size(); ++i) {
            DelegateRecord r = records[i];
            r.Grouping = group;
            ok = db.Execute(QString::fromLatin1(kInsert), insertValues(r));
        }
        ok = ok && transaction.commit();
    }
    db.Disconnect();
    return ok;
}
