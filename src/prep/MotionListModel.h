#pragma once
// The motions of one meeting as a list: number, title, kind and state, in the
// language in use whatever table stored them. Each page that lists motions
// shows one; it reads the table again whenever MotionTable announces a change
// of its meeting's motions, so every view on it follows a new, changed or
// removed motion and a vote's final result.

#include "prep/MotionTable.h"

#include <QAbstractTableModel>

class MotionListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn,
        TitleColumn,
        KindColumn,
        StateColumn,
        ColumnCount
    };

    // What a page calls the columns and the two states, and whether the
    // number, kind and state are centred.
    struct Look
    {
        QStringList headings;
        QString voted;
        QString notVoted;
        bool centred = false;
    };

    MotionListModel(Look look, MotionWords words, QObject* parent = nullptr);

    // The motions of this meeting database (MotionTable::path()); none for an empty path.
    void setPath(const QString& path);
    QString path() const { return m_path; }
    // Reads the motions again. Unchanged rows stay where they are, so a view keeps its selection.
    void refresh();

    const QList<Motion>& motions() const { return m_motions; }
    // The row of the motion with this key (or title, for a motion without a key); -1 for none.
    int rowOf(const Motion& motion) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(int row, int column) const;

    Look m_look;
    MotionWords m_words;
    QString m_path;
    QList<Motion> m_motions;
};
