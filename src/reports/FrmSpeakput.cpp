#include "reports/FrmSpeakput.h"

#include "reports/FrmSysPre.h"
#include "reports/RegisterList.h"
#include "reports/RegisterSave.h"
#include "ui/PageBuilder.h"

#include <QPushButton>
#include <QTableWidget>

FrmSpeakput::FrmSpeakput(QWidget* parent)
    : QWidget(parent), m_texts(QStringLiteral("FrmSpeakput"), QStringLiteral("MsgClew")),
      m_runPreview([](FrmSysPre& preview) { preview.exec(); })
{
    setObjectName(QStringLiteral("FrmSpeakput"));
    resize(818, 655);
    PageBuilder build(this, m_texts);
    QPushButton* order = build.button(kOrderButton, {10, 6, 150, 34});
    QPushButton* totals = build.button(kTotalsButton, {168, 6, 170, 34});
    QPushButton* exportButton = build.button(kExportButton, {452, 6, 110, 34});
    QPushButton* print = build.button(kPrintButton, {570, 6, 110, 34});
    QPushButton* back = build.button(kBackButton, {688, 6, 120, 34});
    m_table = new QTableWidget(this);
    m_table->setObjectName(QLatin1String(kList));
    m_table->setGeometry(10, 48, 798, 598);
    RegisterList::setUp(*m_table, 22);
    m_table->setAccessibleName(m_texts("MsgTitle"));

    connect(order, &QPushButton::clicked, this, &FrmSpeakput::showOrder);
    connect(totals, &QPushButton::clicked, this, &FrmSpeakput::showTotals);
    connect(exportButton, &QPushButton::clicked, this, &FrmSpeakput::exportList);
    connect(print, &QPushButton::clicked, this, &FrmSpeakput::print);
    connect(back, &QPushButton::clicked, this, &FrmSpeakput::back);
    showOrder();
}

void FrmSpeakput::openMeeting(const QString& meetingName)
{
    m_meeting = meetingName;
    m_speeches = SpeakerRegister::load(meetingName).speeches;
    showOrder();
}

void FrmSpeakput::showOrder()
{
    showTable(SpeakerRegister::inOrder(m_speeches, m_texts), kOrderButton);
}

void FrmSpeakput::showTotals()
{
    showTable(SpeakerRegister::totals(m_speeches, m_texts), kTotalsButton);
}

void FrmSpeakput::showTable(RegisterTable table, const char* listKey)
{
    m_shown = std::move(table);
    m_listKey = listKey;
    m_table->clear();
    RegisterList::setColumns(*m_table, m_shown);
    RegisterList::showRows(*m_table, m_shown);
}

RegisterHeading FrmSpeakput::heading() const
{
    return RegisterSave::heading(m_meeting, m_texts("MsgTitle") + QStringLiteral(" \u2014 ") +
                                                m_texts(QLatin1String(m_listKey)));
}

void FrmSpeakput::exportList()
{
    RegisterSave::run(this, m_texts, m_texts(kExportButton), m_shown, heading());
}

void FrmSpeakput::print()
{
    if (m_shown.rows.isEmpty())
        return;
    FrmSysPre preview(m_shown, heading(), this);
    m_runPreview(preview);
}
