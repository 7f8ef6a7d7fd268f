#pragma once
// The delegate page of the preparation hub: the delegates of the selected
// meeting with their fields and photo, New / Change / Delete / Clear all,
// Find, paging through the list, and the workbook export and import.
//
// A shown delegate is remembered by its row id, so a unit number that an
// import brought twice still changes, deletes and shows the right row.

#include "prep/DelegateListModel.h"
#include "prep/PrepPage.h"
#include "ui/PageTexts.h"

#include <QByteArray>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class FrmManinfo : public QWidget, public PrepPage
{
    Q_OBJECT
public:
    // Object names of the controls that the tests reach.
    static constexpr const char* kList = "1048";
    static constexpr const char* kCountField = "1271";
    static constexpr const char* kFirstButton = "1069";
    static constexpr const char* kPreviousButton = "1070";
    static constexpr const char* kNextButton = "1071";
    static constexpr const char* kLastButton = "1072";
    static constexpr const char* kPhoto = "1073";
    // The nine field edits in the order of Delegate: unit number, name, ethnic group,
    // work unit, position, phone, delegation, presidium, seat.
    static constexpr const char* kFieldEdits[9] = {"1049", "1050", "1051", "1052", "1053",
                                                   "1054", "1055", "1056", "1057"};
    static constexpr const char* kUnitEdit = "1049";
    static constexpr const char* kNameEdit = "1050";
    static constexpr const char* kSeatEdit = "1057";
    static constexpr const char* kSexCombo = "1058";
    static constexpr const char* kSearchByCombo = "1061";
    static constexpr const char* kSearchTextEdit = "1062";
    static constexpr const char* kFindButton = "IDC_BUTTON_LOOKUP";
    static constexpr const char* kNewButton = "IDC_NEWINFO_BUTTON";
    static constexpr const char* kChangeButton = "IDC_EDITINFO_BUTTON";
    static constexpr const char* kDeleteButton = "IDC_DELETEINFO_BUTTON";
    static constexpr const char* kClearAllButton = "IDC_CLEAR_MANINFO";
    static constexpr const char* kLoadPhotoButton = "IDC_ACCPHOTO_BUTTON";
    static constexpr const char* kRemovePhotoButton = "IDC_CANPHOTO_BUTTON";
    static constexpr const char* kExportButton = "IDC_EDUCE_EXCEL";
    static constexpr const char* kImportButton = "IDC_LEAD_BUTTON";

    explicit FrmManinfo(QWidget* parent = nullptr);

    // Works on the named meeting's database and reloads the list.
    void openMeeting(const QString& meetingName, const QString& meetingKey) override;

    int delegateCount() const { return m_count; }
    bool hasPhoto() const { return !m_photo.isEmpty(); }
    const QByteArray& photoBytes() const { return m_photo; }

private:
    void countDelegates();
    void listShown();
    void showRow(int row);
    void clearFields();
    void clearPhoto();
    void setPhoto(const QByteArray& bytes);
    void setSelectionActions(bool enabled);
    // The record from the fields; false (with the message shown) when the
    // unit number or the name is not acceptable.
    bool readFields(Delegate& delegate, bool refuseZero);
    void onNew();
    void onChange();
    void onDelete();
    void onClearAll();
    void onLoadPhoto();
    void onFind();
    void onExport();
    void onImport();
    void step(int delta);

    DelegateTable m_table;
    DelegateListModel m_delegates{m_table};
    QString m_meeting;
    QString
        m_group; // Grouping of every delegate written here; the channel list that could set it is not shown
    int m_row = -1;
    qint64 m_selectedId = 0;
    QString m_selectedUnit;
    QString m_selectedSex;
    int m_count = 0;
    QByteArray m_photo;
    bool m_photoRemoved = false;

    PageTexts m_texts{QStringLiteral("FrmManinfo"), QStringLiteral("clew")};
    QStringList m_headings;
    QTableView* m_list;
    QLineEdit* m_fields[9]; // unit number, name, ethnic group, work unit, position, phone, delegation,
                            // presidium, seat
    QComboBox* m_sex;
    QLabel* m_photoFrame;
    QComboBox* m_searchBy;
    QLineEdit* m_searchText;
    QLineEdit* m_countField;
    QPushButton* m_new;
    QPushButton* m_change;
    QPushButton* m_delete;
    QPushButton* m_clearAll;
};
