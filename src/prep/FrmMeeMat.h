#pragma once
// The motion page of the preparation hub: the motions, elections and
// evaluations of the selected meeting with their kind of vote and pass rule,
// their candidates and their rich-text proposals. A voted motion is locked.

#include "prep/MotionListModel.h"
#include "prep/MotionTable.h"
#include "prep/PrepPage.h"
#include "ui/PageTexts.h"

#include <QColor>
#include <QSize>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QPushButton;
class QTableView;

class FrmMeeMat : public QWidget, public PrepPage
{
    Q_OBJECT
public:
    // Object names of the controls that the tests reach.
    static constexpr const char* kList = "1025";
    static constexpr const char* kFields = "1470";
    static constexpr const char* kTitleEdit = "1034";
    static constexpr const char* kKindCombo = "1463";
    static constexpr const char* kBaseCombo = "1464";
    static constexpr const char* kRuleCombo = "1465";
    static constexpr const char* kRateEdit = "1035";
    static constexpr const char* kSecondsCombo = "1471";
    static constexpr const char* kTimeLimitCheck = "IDC_TIMERSE_CHECK";
    static constexpr const char* kUnpressedCheck = "IDC_UNITE_CHECK";
    static constexpr const char* kPercentagesCheck = "1467";
    static constexpr const char* kShowPassCheck = "1468";
    static constexpr const char* kDynamicCheck = "1460";
    static constexpr const char* kExtraEdit = "1566";
    static constexpr const char* kSeatsSpin = "IDC_SEATS_SPIN";
    static constexpr const char* kNewButton = "IDC_NEWOVE_BUTTON";
    static constexpr const char* kChangeButton = "IDC_EDIT_OVER";
    static constexpr const char* kDeleteButton = "IDC_DELE_OVER";
    static constexpr const char* kCandidatesButton = "IDC_SELENAN_BUTT";
    static constexpr const char* kProposalButton = "IDC_EDITFMT_BUTTON";
    static constexpr const char* kSaveButton = "IDC_SAVEVOTE_BNT";
    static constexpr const char* kCancelButton = "IDC_CANVOTE_BNT";

    explicit FrmMeeMat(QWidget* parent = nullptr);

    // Works on this meeting's database from now on and reloads the list.
    void openMeeting(const QString& meetingName, const QString& meetingKey) override;

    QString meetingName() const { return m_meetingName; }

private:
    enum class Mode
    {
        Idle,
        New,
        Change
    };

    void fillList();
    void selectRow(int row);
    void showMotion(const Motion& motion);
    void applyKindRules();
    void setEditing(bool editing);
    void setIdleButtons(bool motionSelected);
    void onNew();
    void onChange();
    void onSave();
    void onCancel();
    void onDelete();
    void onCandidates();
    void onProposal();
    MotionSettings settings() const;
    MotionTable table() const;
    void selectTitle(const QString& title);

    QTableView* m_list;
    MotionListModel* m_model;
    QGroupBox* m_frame;
    QLineEdit* m_title;
    QComboBox* m_kind;
    QComboBox* m_base;
    QComboBox* m_rule;
    QLineEdit* m_rate;
    QCheckBox* m_timeLimit;
    QComboBox* m_seconds;
    QCheckBox* m_unpressed;
    QCheckBox* m_percentages;
    QCheckBox* m_showPass;
    QCheckBox* m_dynamic;
    QLineEdit* m_extra;
    QSpinBox* m_seats;
    QPushButton* m_new;
    QPushButton* m_change;
    QPushButton* m_delete;
    QPushButton* m_candidates;
    QPushButton* m_proposal;
    QPushButton* m_save;
    QPushButton* m_cancel;

    MotionWords m_words;
    Motion m_motion; // the selected motion
    Mode m_mode = Mode::Idle;
    QString m_meetingName;
    QString m_meetingKey;
    QList<int> m_systemPoints;
    QSize m_screenSize;
    QColor m_screenColour;
    QColor m_screenTextColour;
    PageTexts m_texts{QStringLiteral("FrmMeeMat"), QStringLiteral("MsgClew")};
};
