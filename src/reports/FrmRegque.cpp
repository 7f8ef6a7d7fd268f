#include "reports/FrmRegque.h"

#include "reports/RegisterList.h"
#include "reports/RegisterSave.h"
#include "ui/PageBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

namespace {

class ChartView : public QWidget
{
public:
    ChartView(const AttendanceChart::Input& input, AttendanceChart::Labels labels, QWidget* parent)
        : QWidget(parent), m_input(input), m_labels(std::move(labels))
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        AttendanceChart::paint(painter, m_input, QRectF(rect()), m_labels);
    }

private:
    const AttendanceChart::Input& m_input;
    AttendanceChart::Labels m_labels;
};

} // namespace

FrmRegque::FrmRegque(QWidget* parent)
    : QWidget(parent), m_texts(QStringLiteral("FrmRegque"), QStringLiteral("MsgClew")),
      m_marks(SignInRegister::Marks::ofEveryTable())
{
    setObjectName(QStringLiteral("FrmRegque"));
    resize(818, 655);
    const PageTexts& texts = m_texts;
    PageBuilder build(this, texts);
    QPushButton* due = build.button(kDueButton, {10, 6, 120, 34});
    QPushButton* present = build.button(kPresentButton, {138, 6, 120, 34});
    QPushButton* absent = build.button(kAbsentButton, {266, 6, 120, 34});
    QPushButton* exportButton = build.button(kExportButton, {560, 6, 120, 34});
    QPushButton* back = build.button(kBackButton, {688, 6, 120, 34});

    m_due = build.edit(kDueCount, {140, 48, 60, 28},
                       build.label("IDC_STATIC_YDRS", "IDC_STATIC_YDRS", {10, 48, 124, 28}));
    build.label("IDC_STATIC_YDRSP", "IDC_STATIC_YDRSP", {204, 48, 24, 28})
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_present = build.edit(kPresentCount, {370, 48, 60, 28},
                           build.label("IDC_STATIC_SDRS", "IDC_STATIC_SDRS", {240, 48, 124, 28}));
    build.label("IDC_STATIC_SDRSP", "IDC_STATIC_SDRSP", {434, 48, 24, 28})
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLineEdit* count : {m_due, m_present}) {
        count->setReadOnly(true);
        count->setAlignment(Qt::AlignCenter);
    }

    m_table = new QTableWidget(this);
    m_table->setObjectName(QLatin1String(kList));
    m_table->setGeometry(10, 84, 798, 380);
    RegisterList::setUp(*m_table, 20);
    m_table->setAccessibleName(texts("MsgTitle"));

    m_chartView = new ChartView(m_chart, {texts("MsgChartTitle"), texts("MsgChartQuorum")}, this);
    m_chartView->setObjectName(QLatin1String(kChart));
    m_chartView->setGeometry(10, 472, 798, 176);
    m_chartView->setAccessibleName(texts("MsgChartTitle"));

    connect(due, &QPushButton::clicked, this, [this] { showList(SignInRegister::List::Due); });
    connect(present, &QPushButton::clicked, this, [this] { showList(SignInRegister::List::Present); });
    connect(absent, &QPushButton::clicked, this, [this] { showList(SignInRegister::List::Absent); });
    connect(exportButton, &QPushButton::clicked, this, &FrmRegque::exportList);
    connect(back, &QPushButton::clicked, this, &FrmRegque::back);
    showList(SignInRegister::List::Due);
}

void FrmRegque::openMeeting(const Meeting& meeting)
{
    m_meeting = meeting.name;
    m_due->setText(QString::number(meeting.due).left(3));
    m_present->setText(meeting.present ? QString::number(*meeting.present).left(3) : QString());
    m_chart = {{}, meeting.due, SignInRegister::quorumUnits(meeting)};
    // The register opens on its first list.
    showList(SignInRegister::List::Due);
}

void FrmRegque::showList(SignInRegister::List list)
{
    m_list = list;
    m_attendance = SignInRegister::load(m_meeting, list, m_marks, m_texts);
    m_chart.arrivals = m_attendance.arrivals;
    showTable();
}

void FrmRegque::showTable()
{
    m_table->clear();
    RegisterList::setColumns(*m_table, m_attendance.table);
    RegisterList::showRows(*m_table, m_attendance.table);
    m_chartView->update();
}

void FrmRegque::exportList()
{
    const char* listKey = m_list == SignInRegister::List::Present  ? kPresentButton
                          : m_list == SignInRegister::List::Absent ? kAbsentButton
                                                                   : kDueButton;
    RegisterSave::run(this, m_texts, m_texts(kExportButton), m_attendance.table,
                      RegisterSave::heading(m_meeting, m_texts("MsgTitle") + QStringLiteral(" \u2014 ") +
                                                           m_texts(QLatin1String(listKey))));
}
