#pragma once
// The post-meeting hub: the meeting record, the sign-in register and the
// vote-result register and the speakers' register in the shared hub frame;
// the record page also writes the meeting's minutes as one PDF. The meeting is chosen on the
// record page; a register takes the chosen meeting each time its button is
// pressed, so choosing another meeting while a register shows leaves that
// register as it is.
//
// A meeting without a database file gets one clear message when it is chosen;
// its registers then show empty lists and say nothing more.

#include "prep/MeetingListModel.h"
#include "ui/HubFrame.h"
#include "ui/PageTexts.h"

class FrmRegque;
class FrmSpeakput;
class QPushButton;
class FrmVoteput;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class FrmMdisposal : public HubFrame
{
    Q_OBJECT
public:
    static constexpr const char* kRecordButton = "IDC_MOOTNOTE_BUTTON";
    static constexpr const char* kSignInButton = "IDC_REGQUE_BUTTON";
    static constexpr const char* kVoteButton = "IDC_VOTEPUT_BUTTON3";
    static constexpr const char* kSpeakersButton = "IDC_SPEAKPUT_BUTTON";
    static constexpr const char* kMinutesButton = "IDC_MINUTES_BUTTON";
    static constexpr const char* kExitButton = "IDCANCEL";
    static constexpr const char* kRestoreButton = "IDC_RESTORE_BUTTON";
    static constexpr const char* kTitle = "MdisposalTitle";
    static constexpr const char* kMeetingList = "IDC_COMBO_MOOTNAME";
    static constexpr const char* kRecordPage = "MdisposalRecord";

    // The meeting is chosen from `meetings`, read again as the hub opens.
    explicit FrmMdisposal(MeetingListModel& meetings, QWidget* parent = nullptr);

    // Loads the named meeting's record; false when there is none.
    bool chooseMeeting(const QString& name);
    const Meeting& meeting() const { return m_meeting; }

    void showRecord();
    void showSignInRegister();
    void showVoteRegister();
    void showSpeakerRegister();
    // Asks for a PDF file and writes the chosen meeting's minutes there.
    void writeMinutes();

    FrmRegque* signInRegister() const { return m_signIn; }
    FrmVoteput* voteRegister() const { return m_votes; }
    FrmSpeakput* speakerRegister() const { return m_speakers; }

    void done(int result) override;

    // Puts the chosen meeting's latest automatic backup in place of its database, after a question.
    void restoreBackup();

private:
    void showRecordFields();

    PageTexts m_texts;
    Meeting m_meeting;
    QWidget* m_record;
    FrmRegque* m_signIn;
    FrmVoteput* m_votes;
    FrmSpeakput* m_speakers;
    QPushButton* m_minutes;
    QComboBox* m_meetings;
    QLineEdit* m_name;
    QLineEdit* m_place;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_due;
    QPushButton* m_restore = nullptr;
    QLineEdit* m_present;
};
