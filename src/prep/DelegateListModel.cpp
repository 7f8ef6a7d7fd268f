#include "prep/DelegateListModel.h"

DelegateListModel::DelegateListModel(DelegateTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{
    connect(&m_table, &DelegateTable::changed, this, &DelegateListModel::reload);
}

void DelegateListModel::show(const std::optional<QList<Delegate>>& delegates)
{
    beginResetModel();
    m_delegates = delegates.value_or(QList<Delegate>());
    endResetModel();
}

bool DelegateListModel::reload()
{
    const std::optional<QList<Delegate>> delegates = m_table.all();
    show(delegates);
    return delegates.has_value();
}

void DelegateListModel::showMatching(const QString& value, DelegateTable::FindBy by)
{
    show(m_table.matching(value, by));
}

int DelegateListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_delegates.size());
}

int DelegateListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Delegate::kListedFields;
}

QVariant DelegateListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_delegates[index.row()].listed().value(index.column());
}
