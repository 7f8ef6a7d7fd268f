#include "prep/MeetingListModel.h"

MeetingListModel::MeetingListModel(MeetingTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{
    connect(&m_table, &MeetingTable::changed, this, &MeetingListModel::reload);
}

bool MeetingListModel::reload()
{
    const std::optional<QList<Meeting>> meetings = m_table.all();
    beginResetModel();
    m_meetings = meetings.value_or(QList<Meeting>());
    endResetModel();
    return meetings.has_value();
}

int MeetingListModel::rowOf(const QString& name) const
{
    for (qsizetype row = 0; row < m_meetings.size(); ++row)
        if (m_meetings[row].name == name)
            return int(row);
    return -1;
}

int MeetingListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_meetings.size());
}

int MeetingListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MeetingListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Meeting& meeting = m_meetings[index.row()];
    switch (index.column()) {
    case NumberColumn:
        return QString::number(index.row() + 1);
    case NameColumn:
        return meeting.name;
    case StartColumn:
        return Meeting::dateText(meeting.start);
    }
    return {};
}
