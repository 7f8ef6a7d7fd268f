#pragma once
// The speakers' register page of the post-meeting hub: the speeches of one
// meeting in speaking order, or each delegate's number of speeches and total
// time, exported (.xlsx, PDF or CSV) or printed through the preview like the
// other registers.

#include "reports/RegisterTable.h"
#include "reports/SpeakerRegister.h"
#include "ui/PageTexts.h"

#include <QWidget>
#include <functional>

class FrmSysPre;
class QTableWidget;

class FrmSpeakput : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kOrderButton = "IDC_SPEAK_ORDER";
    static constexpr const char* kTotalsButton = "IDC_SPEAK_TOTALS";
    static constexpr const char* kExportButton = "IDC_EXPORT_SPEAK";
    static constexpr const char* kPrintButton = "IDC_PRINT_SPEAK";
    static constexpr const char* kBackButton = "IDC_SPEAKPUT_RETURN";
    static constexpr const char* kList = "SpeakputList";

    explicit FrmSpeakput(QWidget* parent = nullptr);

    // Reads the meeting's speakers' log and lists it in speaking order.
    void openMeeting(const QString& meetingName);
    void showOrder();
    void showTotals();
    void exportList();
    void print();

    const RegisterTable& table() const { return m_shown; }
    // Test hook: what runs the preview (exec() in the program).
    void setPreviewRunner(std::function<void(FrmSysPre&)> runner) { m_runPreview = std::move(runner); }

signals:
    void back();

private:
    void showTable(RegisterTable table, const char* listKey);
    RegisterHeading heading() const;

    PageTexts m_texts;
    QString m_meeting;
    QList<SpeechTable::Speech> m_speeches;
    RegisterTable m_shown;
    const char* m_listKey = kOrderButton;
    std::function<void(FrmSysPre&)> m_runPreview;
    QTableWidget* m_table;
};
