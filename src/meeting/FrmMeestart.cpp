#include "meeting/FrmMeestart.h"

#include "data/Schema.h"
#include "ui/PageBuilder.h"
#include "ui/PageTexts.h"
#include "ui/RecordList.h"
#include "ui/WindowPlacement.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

FrmMeestart::FrmMeestart(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmMeestart"));
    const PageTexts texts(QStringLiteral("FrmMeestart"), QStringLiteral("DlgName"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(500, 420);

    PageBuilder build(this, texts);
    QLabel* prompt = build.label(kPrompt, kPrompt, {16, 10, 468, 28});
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_list = new QTableWidget(0, 3, this);
    m_list->setObjectName(QLatin1String(kList));
    // The first title is fixed, the others come from the table (MsgClew1 names the list).
    m_list->setHorizontalHeaderLabels({QStringLiteral("ID"), texts("MsgClew2"), texts("MsgClew3")});
    m_list->setGeometry(16, 42, 468, 310);
    RecordList::setUp(*m_list);
    m_list->setColumnWidth(0, 36);
    m_list->setColumnWidth(1, 320);
    m_list->setAccessibleName(texts("MsgClew1"));
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row) { chooseRow(row); });
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (chooseRow(row))
            accept();
    });

    m_ok = build.button(kOkButton, {164, 366, 150, 36});
    QPushButton* cancel = build.button(kCancelButton, {334, 366, 150, 36});
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    WindowPlacement::centreOnScreen(*this);
    loadMeetings();
}

void FrmMeestart::loadMeetings()
{
    MeetingTable table;
    table.setPath(Schema::kSystemDatabase);
    table.loadList();
    m_list->setRowCount(int(table.names.size()));
    for (int row = 0; row < table.names.size(); ++row) {
        m_list->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        m_list->setItem(row, 1, new QTableWidgetItem(table.names[row]));
        m_list->setItem(row, 2, new QTableWidgetItem(table.startDates.value(row)));
    }
    // With one meeting there is nothing to choose: Enter starts it.
    if (table.names.size() == 1)
        chooseRow(0);
}

bool FrmMeestart::chooseRow(int row)
{
    const QTableWidgetItem* item = m_list->item(row, 1);
    MeetingTable table;
    table.setPath(Schema::kSystemDatabase);
    const std::optional<MeetingRecord> found = item ? table.find(item->text()) : std::nullopt;
    m_meeting = found.value_or(MeetingRecord{});
    m_ok->setEnabled(found.has_value());
    if (found)
        m_list->selectRow(row);
    return found.has_value();
}
