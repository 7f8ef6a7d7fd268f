#pragma once
// The meeting page of the preparation hub: the meetings of the system
// database with their fields, New / Change / Delete / Save / Cancel, and the
// banner editor. A meeting's database, folder and banner follow its row.

#include "data/SettingsTable.h"
#include "prep/MeetingListModel.h"
#include "prep/PrepPage.h"
#include "ui/PageTexts.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableView;

class FrmMeeset : public QWidget, public PrepPage
{
    Q_OBJECT
public:
    // Object names of the controls that the hub and the tests reach.
    static constexpr const char* kList = "1014";
    static constexpr const char* kFields = "1462";
    static constexpr const char* kNameEdit = "1455";
    static constexpr const char* kPlaceEdit = "1456";
    static constexpr const char* kStartDate = "1457";
    static constexpr const char* kEndDate = "1458";
    static constexpr const char* kDueEdit = "1459";
    static constexpr const char* kRatioEdit = "1461";
    static constexpr const char* kRatioCheck = "IDC_MEE_VIEWLEG";
    static constexpr const char* kNewButton = "IDC_NEWMOOT_BUTTON";
    static constexpr const char* kChangeButton = "IDC_EDITMOOT_BUTTON";
    static constexpr const char* kDeleteButton = "IDC_DELMOOT_BUTTON";
    static constexpr const char* kBannerButton = "IDC_MEEBANNER_BUTTON";
    static constexpr const char* kSaveButton = "IDC_SAVEMEE_BUTTON";
    static constexpr const char* kCancelButton = "IDC_CANVMEE_BUTTON";

    // The list shows `meetings`, and the page writes through its table.
    explicit FrmMeeset(MeetingListModel& meetings, QWidget* parent = nullptr);

    // Refills the list; the meeting page works on every meeting.
    void openMeeting(const QString& meetingName, const QString& meetingKey) override;

    QString selectedName() const { return m_selected.name; }
    QString selectedKey() const { return m_selected.key; }

signals:
    // The motions and delegates pages need a selected meeting that is not being edited.
    void meetingUsable(bool usable);

private:
    enum class Mode
    {
        Idle,
        New,
        Change
    };

    void selectRow(int row);
    // Selects the listed meeting of this name, as a click on its row would.
    void selectMeeting(const QString& name, bool focus);
    void showRecord(const Meeting& record);
    void setEditing(bool editing);
    void onNew();
    void onChange();
    void onSave();
    void onCancel();
    void onDelete();
    void onBanner();
    bool saveNew(Meeting meeting);
    bool saveChange(const Meeting& meeting);
    void message(const QString& text);

    MeetingListModel& m_meetings;
    QTableView* m_list;
    QPushButton* m_new;
    QPushButton* m_change;
    QPushButton* m_delete;
    QPushButton* m_banner;
    QPushButton* m_save;
    QPushButton* m_cancel;
    QGroupBox* m_fields;
    QLineEdit* m_name;
    QLineEdit* m_place;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_due;
    QCheckBox* m_hasRatio;
    QLineEdit* m_ratio;

    Mode m_mode = Mode::Idle;
    Meeting m_selected; // empty while none is chosen
    SystemSettings m_settings;
    QString m_caption;
    PageTexts m_texts{QStringLiteral("FrmMeeset"), QStringLiteral("MsgClew")};
};
