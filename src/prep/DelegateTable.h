#pragma once
// The delegates of one meeting: the rows of Employees in the meeting's
// database. The delegate page, the sign-in, the speaking page and the
// sign-in register all read them through this accessor.
//
// Rows are told apart by their id: an import may bring the same unit number
// twice, and changing or showing one of them must not touch the other.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// One delegate. Every listed field is text as typed or imported: an imported
// unit number "abc" is shown as it is, so the fields stay what was stored.
struct Delegate
{
    qint64 id = 0;
    QString unit; // the unit number
    QString name;
    QString sex; // as the language table in use at entry named it
    QString ethnicGroup;
    QString workUnit;
    QString position;
    QString phone;
    QString delegation;
    QString presidium;
    QString seat;
    QString group; // the import group the row came with

    // The unit number as a number; none when the text is not one.
    std::optional<int> unitNumber() const;

    // The ten listed fields in list order: unit number, name, sex, ethnic
    // group, work unit, position, contact number, delegation, presidium, seat.
    static constexpr int kListedFields = 10;
    QStringList listed() const;
    // The reverse; missing fields stay empty, extra ones are ignored.
    static Delegate fromListed(const QStringList& fields);

    bool operator==(const Delegate&) const = default;
};

class DelegateTable : public QObject
{
    Q_OBJECT
public:
    // Highest unit number a delegate may have.
    static constexpr int kMaxUnitNumber = 250;

    explicit DelegateTable(QObject* parent = nullptr);
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
    std::optional<QList<Delegate>> all();
    // Delegates whose unit number, or name, is exactly `value`, in creation order.
    std::optional<QList<Delegate>> matching(const QString& value, FindBy by);
    // The row with this id; none when there is none or it could not be read.
    std::optional<Delegate> byId(qint64 id);
    bool exists(const QString& unitNumber);

    // Adds the delegate and sets its id to the new row's; Photo and sign stay Null.
    bool insert(Delegate& delegate);
    // Writes the ten listed fields into the row with the delegate's id; Photo,
    // sign and the group stay.
    bool update(const Delegate& delegate);
    // Every delegate with this unit number.
    bool remove(const QString& unitNumber);
    // The one row with this id.
    bool removeById(qint64 id);
    bool removeAll();

    // The photo bytes of a row; empty when it has none.
    QByteArray photo(qint64 id);
    bool setPhoto(qint64 id, const QByteArray& bytes);

    // One import in one transaction: the rows whose unit number equals
    // `group` go, then every delegate is added with that group.
    // All or nothing.
    bool replaceWithImport(const QList<Delegate>& delegates, const QString& group);

signals:
    // Rows were added, changed or removed through this table.
    void changed();

private:
    std::optional<QList<Delegate>> select(const QString& sql, const QVariantList& values);
    bool changedIf(bool done);
    QString m_path;
};
