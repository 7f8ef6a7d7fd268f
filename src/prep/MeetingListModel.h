#pragma once
// The meetings as the lists show them: running number, name, start date, in
// creation order. One model is shared by every list of meetings and follows
// its table: a meeting added, changed or removed through it shows everywhere.

#include "prep/MeetingTable.h"

#include <QAbstractTableModel>

class MeetingListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn,
        NameColumn,
        StartColumn,
        ColumnCount
    };

    explicit MeetingListModel(MeetingTable& table, QObject* parent = nullptr);

    // The table the model follows; pages write through it.
    MeetingTable& table() const { return m_table; }
    // Reads the meetings again (what others changed in the file); false when the
    // table could not be read, and the list is then empty.
    bool reload();

    const QList<Meeting>& meetings() const { return m_meetings; }
    // The row of the first meeting of this name; -1 when there is none.
    int rowOf(const QString& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    MeetingTable& m_table;
    QList<Meeting> m_meetings;
};
