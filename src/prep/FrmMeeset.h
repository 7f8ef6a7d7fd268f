#pragma once
// The meeting page of the preparation hub: the meetings of the system
// database with their fields, New / Change / Delete / Save / Cancel, and the
// banner editor. A meeting's database, folder and banner follow its row.

#include "prep/MeetingTable.h"
#include "prep/PrepPage.h"
#include "ui/PageTexts.h"

#include <QColor>
#include <QSize>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

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

    explicit FrmMeeset(QWidget* parent = nullptr);

    // Refills the list; the meeting page works on every meeting.
    void openMeeting(const QString& meetingName, const QString& meetingKey) override;

    QString selectedName() const { return m_selectedName; }
    QString selectedKey() const { return m_selectedKey; }

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

    void fillList();
    void selectRow(int row);
    void showRecord(const MeetingRecord& record);
    void setEditing(bool editing);
    void onNew();
    void onChange();
    void onSave();
    void onCancel();
    void onDelete();
    void onBanner();
    bool saveNew(MeetingRecord record);
    bool saveChange(MeetingRecord record);
    void message(const QString& text);

    QTableWidget* m_list;
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
    QString m_selectedName;
    QString m_selectedKey;
    QString m_bannerPath;
    QSize m_screenSize;
    QColor m_screenColour;
    QColor m_screenTextColour;
    QString m_caption;
    PageTexts m_texts{QStringLiteral("FrmMeeset"), QStringLiteral("MsgClew")};
};
