#pragma once
// The vote-result register page of the post-meeting hub: one list per
// category of motion (motion votes, elections, scoring, evaluations), filled
// with all or only the voted motions, exported as .xlsx, PDF or CSV, and for
// motion votes and elections printed through the preview. A line under the
// list says whether the meeting's event record is intact.

#include "meeting/VoteSession.h"
#include "reports/RegisterTable.h"
#include "ui/PageTexts.h"

#include <QWidget>
#include <functional>

class FrmSysPre;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class FrmVoteput : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kCategory = "IDC_COMBO_OVETYPE";
    static constexpr const char* kShowAllButton = "IDC_VIEWALL_BUTTON";
    static constexpr const char* kShowVotedButton = "IDC_VIEWVOTE_BUTTON";
    static constexpr const char* kExportButton = "IDC_EXPORTEXC_BUTTON";
    static constexpr const char* kPrintButton = "IDC_BUTTON_PRINT";
    static constexpr const char* kBackButton = "IDC_VOTEPUT_RETURN";
    static constexpr const char* kRecordLine = "RecordCheck";

    explicit FrmVoteput(QWidget* parent = nullptr);

    // The meeting whose motions are listed; the lists start empty and the event record is checked.
    void openMeeting(const QString& meetingName);
    // 1..4; anything else leaves no category chosen.
    void chooseCategory(int category);
    int category() const { return m_category; }
    void showAll();
    void showVoted();
    void exportList();
    void print();

    const RegisterTable& table() const { return m_shown; }
    QTableWidget* list(int category) const { return m_lists.value(category - 1); }

    // Test hook: what runs the preview (exec() in the program).
    void setPreviewRunner(std::function<void(FrmSysPre&)> runner) { m_runPreview = std::move(runner); }

signals:
    void back();

private:
    void fill(bool votedOnly);
    RegisterHeading heading() const;

    PageTexts m_texts;
    VoteTexts m_voteTexts;
    QString m_meeting;
    int m_category = 0;
    RegisterTable m_shown;
    std::function<void(FrmSysPre&)> m_runPreview;

    QComboBox* m_categories;
    QList<QTableWidget*> m_lists;
    QPushButton* m_print;
    QLabel* m_record;
};
