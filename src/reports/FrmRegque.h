#pragma once
// The sign-in register page of the post-meeting hub: the due, present and
// absent lists of one meeting with their counts, each delegate's sign-in time
// when the meeting kept them, a chart of the units present over time with the
// quorum, and the export of the list shown (.xlsx, PDF or CSV).

#include "reports/AttendanceChart.h"
#include "reports/SignInRegister.h"
#include "ui/PageTexts.h"

#include <QWidget>

class QLineEdit;
class QTableWidget;

class FrmRegque : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kDueButton = "IDC_DUE_PSL";
    static constexpr const char* kPresentButton = "IDC_ESSE_PSL";
    static constexpr const char* kAbsentButton = "IDC_LACK_PSL";
    static constexpr const char* kExportButton = "IDC_EXPORT_PSL";
    static constexpr const char* kBackButton = "IDC_REGQUE_RETURN";
    static constexpr const char* kList = "RegqueList";
    static constexpr const char* kDueCount = "IDC_EDIT_YDRS";
    static constexpr const char* kPresentCount = "IDC_EDIT_SDRS";
    static constexpr const char* kChart = "AttendanceChart";

    explicit FrmRegque(QWidget* parent = nullptr);

    // The meeting and its figures as the hub has them; the list starts empty.
    // `quorum` is the number of units needed, 0 when none is set.
    void openMeeting(const Meeting& meeting);
    void showList(SignInRegister::List list);
    void exportList();

    const RegisterTable& table() const { return m_attendance.table; }

signals:
    void back();

private:
    void showTable();

    PageTexts m_texts;
    SignInRegister::Marks m_marks;
    QString m_meeting;
    SignInRegister::List m_list = SignInRegister::List::Due;
    SignInRegister::Attendance m_attendance;
    AttendanceChart::Input m_chart;

    QTableWidget* m_table;
    QLineEdit* m_due;
    QLineEdit* m_present;
    QWidget* m_chartView;
};
