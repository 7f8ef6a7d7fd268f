#pragma once
// The delegates of a meeting as the delegate list shows them: the ten listed
// fields, one row per delegate in creation order. It follows its table: a
// delegate added, changed or removed through it shows the whole list again.

#include "prep/DelegateTable.h"

#include <QAbstractTableModel>

class DelegateListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DelegateListModel(DelegateTable& table, QObject* parent = nullptr);

    DelegateTable& table() const { return m_table; }
    // Every delegate of the table's meeting; false when they could not be read (the list is then empty).
    bool reload();
    // Only the delegates whose unit number, or name, is exactly `value`, until the next reload.
    void showMatching(const QString& value, DelegateTable::FindBy by);

    const QList<Delegate>& delegates() const { return m_delegates; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void show(const std::optional<QList<Delegate>>& delegates);

    DelegateTable& m_table;
    QList<Delegate> m_delegates;
};
