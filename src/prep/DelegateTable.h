#pragma once
// The delegates of one meeting: the rows of Employees in the meeting's
// database. The delegate page, the sign-in, the speaking page and the
// sign-in register all read them through this accessor.
//
// Rows are told apart by their id: an import may bring the same unit number
// twice, and changing or showing one of them must not touch the other.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

struct DelegateRecord
{
    qint64 id = 0;
    QString CellNo;
    QString EmpName;
    QString EmpSex;
    QString Nationality;
    QString Unit;
    QString Title;
    QString Office_phone;
    QString delegacy;
    QString presidium;
    QString SeatNo;
    QString Grouping;

    // The ten listed fields in list order: unit number, name, sex, ethnic
    // group, work unit, position, contact number, delegation, presidium, seat.
    QStringList listColumns() const;
    // The reverse; missing columns stay empty, extra ones are ignored.
    static DelegateRecord fromListColumns(const QStringList& columns, const QString& group);
};

class DelegateTable
{
public:
    static constexpr int kListColumns = 10;
    // Highest unit number a delegate may have.
    static constexpr int kMaxUnitNumber = 250;

    void setPath(const QString& path) { m_path = path; }
    // The database of the named meeting.
    void setMeeting(const QString& meetingName);
    QString path() const { return m_path; }

    enum class FindBy
    {
        UnitNumber,
        Name
    };
    // Values read on their own; none when the file or the query failed (already
    // reported), so an empty list always means "no delegates".
    std::optional<QList<DelegateRecord>> all();
    // Delegates whose unit number, or name, is exactly `value`, in creation order.
    std::optional<QList<DelegateRecord>> matching(const QString& value, FindBy by);
    // The row with this id; none when there is none or it could not be read.
    std::optional<DelegateRecord> byId(qint64 id);

    // The same into `list`; false when the read failed (the list is then empty).
    bool loadList();
    bool find(const QString& value, FindBy by);
    // What loadList or find read last.
    QList<DelegateRecord> list;

    // Fills `record` from the first delegate with this unit number; false when none.
    bool load(const QString& unitNumber);
    // Fills `record` from the row with this id; false when none.
    bool loadById(qint64 id);
    bool exists(const QString& unitNumber);
    // Adds `record` (its id is set to the new row's); Photo and sign stay Null.
    bool insert();
    // Writes the ten listed fields of `record` into its row (by id); Photo,
    // sign and Grouping stay.
    bool update();
    // Every delegate with this unit number.
    bool remove(const QString& unitNumber);
    // The one row with this id.
    bool removeById(qint64 id);
    bool removeAll();

    // The photo bytes of a row; empty when it has none.
    QByteArray photo(qint64 id);
    bool setPhoto(qint64 id, const QByteArray& bytes);

    // One import in one transaction: the rows whose unit number equals
    // `group` go, then every record is added with Grouping = group.
    // All or nothing.
    bool replaceWithImport(const QList<DelegateRecord>& records, const QString& group);

    DelegateRecord record;

private:
    std::optional<QList<DelegateRecord>> select(const QString& sql, const QVariantList& values);
    bool fillList(const std::optional<QList<DelegateRecord>>& found);
    QString m_path;
};
