#pragma once
// The meeting chooser: the meetings of Mottag in creation order, one row each
// (running number, name, start date). OK stays disabled until a row is clicked;
// the chosen meeting's whole record is then read again, so the hub works on
// what is stored and not on the list's copy.

#include "prep/MeetingListModel.h"

#include <QDialog>

class QPushButton;
class QTableView;

class FrmMeestart : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* kList = "1092";
    static constexpr const char* kPrompt = "IDC_STATIC_SETMEECLEW";
    static constexpr const char* kOkButton = "IDOK";
    static constexpr const char* kCancelButton = "IDCANCEL";

    // Lists `meetings`, read again as the chooser opens.
    explicit FrmMeestart(MeetingListModel& meetings, QWidget* parent = nullptr);

    // Takes the row (0-based) as the chosen meeting; false when its record cannot be read.
    bool chooseRow(int row);
    // The chosen meeting; empty until a row is chosen.
    const Meeting& meeting() const { return m_meeting; }
    QTableView* list() const { return m_list; }

private:
    MeetingListModel& m_meetings;
    QTableView* m_list;
    QPushButton* m_ok;
    Meeting m_meeting;
};
