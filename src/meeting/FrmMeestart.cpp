#include "meeting/FrmMeestart.h"

#include "ui/PageBuilder.h"
#include "ui/PageTexts.h"
#include "ui/RecordList.h"
#include "ui/WindowPlacement.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

FrmMeestart::FrmMeestart(MeetingListModel& meetings, QWidget* parent) : QDialog(parent), m_meetings(meetings)
{
    setObjectName(QStringLiteral("FrmMeestart"));
    const PageTexts texts(QStringLiteral("FrmMeestart"), QStringLiteral("DlgName"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(500, 420);

    PageBuilder build(this, texts);
    QLabel* prompt = build.label(kPrompt, kPrompt, {16, 10, 468, 28});
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_list = new QTableView(this);
    m_list->setObjectName(QLatin1String(kList));
    // The first title is fixed, the others come from the table (MsgClew1 names the list).
    RecordList::setUp(*m_list, m_meetings, {QStringLiteral("ID"), texts("MsgClew2"), texts("MsgClew3")});
    m_list->setGeometry(16, 42, 468, 310);
    m_list->setColumnWidth(0, 36);
    m_list->setColumnWidth(1, 320);
    m_list->setAccessibleName(texts("MsgClew1"));
    connect(m_list, &QTableView::clicked, this, [this](const QModelIndex& index) { chooseRow(index.row()); });
    connect(m_list, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (chooseRow(index.row()))
            accept();
    });

    m_ok = build.button(kOkButton, {164, 366, 150, 36});
    QPushButton* cancel = build.button(kCancelButton, {334, 366, 150, 36});
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    WindowPlacement::centreOnScreen(*this);
    m_meetings.reload();
    // With one meeting there is nothing to choose: Enter starts it.
    if (m_meetings.rowCount() == 1)
        chooseRow(0);
}

bool FrmMeestart::chooseRow(int row)
{
    // The list read every column of each meeting when the chooser opened.
    const bool found = row >= 0 && row < m_meetings.rowCount();
    m_meeting = found ? m_meetings.meetings()[row] : Meeting{};
    m_ok->setEnabled(found);
    if (found)
        m_list->selectRow(row);
    return found;
}
