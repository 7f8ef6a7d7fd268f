#include "prep/MotionListModel.h"

MotionListModel::MotionListModel(Look look, MotionWords words, QObject* parent)
    : QAbstractTableModel(parent), m_look(std::move(look)), m_words(std::move(words))
{
    connect(&MotionTable::changes(), &MotionChanges::changed, this, [this](const QString& path) {
        if (!m_path.isEmpty() && path == m_path)
            refresh();
    });
}

void MotionListModel::setPath(const QString& path)
{
    m_path = path;
    refresh();
}

namespace {

bool sameRows(const QList<Motion>& a, const QList<Motion>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Motion& x, const Motion& y) { return x.key == y.key && x.title == y.title; });
}

} // namespace

void MotionListModel::refresh()
{
    QList<Motion> fresh;
    if (!m_path.isEmpty()) {
        MotionTable table(m_words);
        table.setPath(m_path);
        fresh = table.all().value_or(QList<Motion>());
    }
    if (sameRows(fresh, m_motions)) {
        m_motions = fresh;
        if (!m_motions.isEmpty())
            emit dataChanged(index(0, 0), index(int(m_motions.size()) - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    m_motions = fresh;
    endResetModel();
}

int MotionListModel::rowOf(const Motion& motion) const
{
    for (int row = 0; row < m_motions.size(); ++row)
        if (motion.key.isEmpty() ? m_motions[row].title == motion.title : m_motions[row].key == motion.key)
            return row;
    return -1;
}

int MotionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_motions.size());
}

int MotionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString MotionListModel::text(int row, int column) const
{
    const Motion& m = m_motions[row];
    switch (column) {
    case NumberColumn:
        return QString::number(row + 1);
    case TitleColumn:
        return m.title;
    case KindColumn:
        return m_words.kindText(m);
    default:
        return m.voted ? m_look.voted : m_look.notVoted;
    }
}

QVariant MotionListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && m_look.centred && index.column() != TitleColumn)
        return int(Qt::AlignCenter);
    return {};
}

QVariant MotionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return m_look.headings.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
