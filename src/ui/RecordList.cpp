#include "ui/RecordList.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QTableView>

namespace {

// The rows of the shared model under headings of the view's own.
class Headings : public QIdentityProxyModel
{
public:
    Headings(const QStringList& headings, QObject* parent) : QIdentityProxyModel(parent), m_headings(headings)
    {
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headings.size())
            return m_headings[section];
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    QStringList m_headings;
};

} // namespace

namespace RecordList {

void setUp(QTableView& list)
{
    list.horizontalHeader()->setStretchLastSection(true);
    list.verticalHeader()->hide();
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.setShowGrid(true);
    list.setWordWrap(false); // one line per record; long texts are cut with an ellipsis
}

void setUp(QTableView& list, QAbstractItemModel& model, const QStringList& headings)
{
    auto* headed = new Headings(headings, &list);
    headed->setSourceModel(&model);
    list.setModel(headed);
    setUp(list);
}

} // namespace RecordList
