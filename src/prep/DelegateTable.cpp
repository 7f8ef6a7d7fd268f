#include "prep/DelegateTable.h"

#include "data/DbAccess.h"
#include "data/Schema.h"

namespace {

const char* const kInsert =
    "insert into Employees (CellNo,EmpName,EmpSex,Nationality,Unit,Title,Office_phone,delegacy,presidium,"
    "SeatNo,Grouping) values(?,?,?,?,?,?,?,?,?,?,?)";

Delegate toDelegate(const DbRow& row)
{
    Delegate d;
    d.id = row.text("id").toLongLong();
    row.read("CellNo", d.unit);
    row.read("EmpName", d.name);
    row.read("EmpSex", d.sex);
    row.read("Nationality", d.ethnicGroup);
    row.read("Unit", d.workUnit);
    row.read("Title", d.position);
    row.read("Office_phone", d.phone);
    row.read("delegacy", d.delegation);
    row.read("presidium", d.presidium);
    row.read("SeatNo", d.seat);
    row.read("Grouping", d.group);
    return d;
}

QVariantList insertValues(const Delegate& d)
{
    return {d.unit,  d.name,       d.sex,       d.ethnicGroup, d.workUnit, d.position,
            d.phone, d.delegation, d.presidium, d.seat,        d.group};
}

} // namespace

std::optional<int> Delegate::unitNumber() const
{
    bool ok = false;
    const int number = unit.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QStringList Delegate::listed() const
{
    return {unit, name, sex, ethnicGroup, workUnit, position, phone, delegation, presidium, seat};
}

Delegate Delegate::fromListed(const QStringList& fields)
{
    Delegate d;
    QString* listedFields[] = {&d.unit,     &d.name,  &d.sex,        &d.ethnicGroup, &d.workUnit,
                               &d.position, &d.phone, &d.delegation, &d.presidium,   &d.seat};
    for (int i = 0; i < kListedFields; ++i)
        *listedFields[i] = fields.value(i);
    return d;
}

DelegateTable::DelegateTable(QObject* parent) : QObject(parent) {}

void DelegateTable::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

bool DelegateTable::changedIf(bool done)
{
    if (done)
        emit changed();
    return done;
}

std::optional<QList<Delegate>> DelegateTable::select(const QString& sql, const QVariantList& values)
{
    const auto rows = DbAccess::selectOnce(m_path, sql, values);
    if (!rows)
        return std::nullopt;
    QList<Delegate> delegates;
    delegates.reserve(rows->size());
    for (const DbRow& row : *rows)
        delegates.append(toDelegate(row));
    return delegates;
}

std::optional<QList<Delegate>> DelegateTable::all()
{
    return select(QStringLiteral("select * from Employees order by ID"), {});
}

std::optional<QList<Delegate>> DelegateTable::matching(const QString& value, FindBy by)
{
    return select(by == FindBy::UnitNumber
                      ? QStringLiteral("select * from Employees where CellNo = ? order by ID")
                      : QStringLiteral("select * from Employees where EmpName = ? order by ID"),
                  {value});
}

std::optional<Delegate> DelegateTable::byId(qint64 id)
{
    const auto found = select(QStringLiteral("select * from Employees where id = ?"), {id});
    if (!found || found->isEmpty())
        return std::nullopt;
    return found->first();
}

bool DelegateTable::exists(const QString& unitNumber)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Employees where CellNo = ?"),
                               {unitNumber});
}

bool DelegateTable::insert(Delegate& delegate)
{
    DbAccess db;
    db.connect(m_path);
    const bool ok = db.isConnected() && db.execute(QString::fromLatin1(kInsert), insertValues(delegate));
    if (ok)
        delegate.id = db.lastInsertId();
    db.disconnect();
    return changedIf(ok);
}

bool DelegateTable::update(const Delegate& d)
{
    return changedIf(DbAccess::executeOnce(
        m_path,
        QStringLiteral("update Employees set CellNo = ?, EmpName = ?, EmpSex = ?, Nationality = ?, Unit = ?,"
                       " Title = ?, Office_phone = ?, delegacy = ?, presidium = ?, SeatNo = ? where id = ?"),
        {d.unit, d.name, d.sex, d.ethnicGroup, d.workUnit, d.position, d.phone, d.delegation, d.presidium,
         d.seat, d.id}));
}

bool DelegateTable::remove(const QString& unitNumber)
{
    return changedIf(DbAccess::executeOnce(m_path, QStringLiteral("delete from Employees where CellNo = ?"),
                                           {unitNumber}));
}

bool DelegateTable::removeById(qint64 id)
{
    return changedIf(
        DbAccess::executeOnce(m_path, QStringLiteral("delete from Employees where id = ?"), {id}));
}

bool DelegateTable::removeAll()
{
    return changedIf(DbAccess::executeOnce(m_path, QStringLiteral("delete from Employees")));
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

bool DelegateTable::replaceWithImport(const QList<Delegate>& delegates, const QString& group)
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
        for (qsizetype i = 0; ok && i < delegates.size(); ++i) {
            Delegate d = delegates[i];
            d.group = group;
            ok = db.execute(QString::fromLatin1(kInsert), insertValues(d));
        }
        ok = ok && transaction.commit();
    }
    db.disconnect();
    return changedIf(ok);
}
