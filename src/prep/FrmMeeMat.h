#pragma once
// The motion page of the preparation hub: the motions, elections and
// evaluations of the selected meeting with their kind of vote and pass rule,
// their candidates and their rich-text proposals. A voted motion is locked.

#include "prep/MotionTable.h"
#include "prep/PrepPage.h"

#include <QColor>
#include <QSize>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class FrmMeeMat : public QWidget, public PrepPage
{
    Q_OBJECT
public:
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
    void showRecord(const MotionRecord& record);
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
    bool isVoted(const MotionRecord& record) const;
    void message(const QString& text);
    void selectTitle(const QString& title);

    QTableWidget* m_list;
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
    QPushButton* m_new;
    QPushButton* m_change;
    QPushButton* m_delete;
    QPushButton* m_candidates;
    QPushButton* m_proposal;
    QPushButton* m_save;
    QPushButton* m_cancel;

    MotionTable m_table; // the record of the selected motion
    Mode m_mode = Mode::Idle;
    QString m_meetingName;
    QString m_meetingKey;
    QStringList m_kindTexts;
    QString m_systemMark;
    QSize m_screenSize;
    QColor m_screenColour;
    QColor m_screenTextColour;
    QString m_caption;
    QString m_dataNo;
    QString m_dataYes;
};
