#pragma once
// The preparation hub: the meeting, motion and delegate pages in the shared
// hub frame. The motion and delegate pages work on the meeting selected on the
// meeting page and reload each time they show; until a meeting is selected
// their buttons stay disabled and a hint says why.

#include "ui/HubFrame.h"

class FrmManinfo;
class MeetingListModel;
class FrmMeeset;
class FrmMeeMat;
class PrepPage;

class FrmMeeOut : public HubFrame
{
    Q_OBJECT
public:
    static constexpr const char* kMeetingsButton = "IDC_FOUND_ADMEE";
    static constexpr const char* kMotionsButton = "IDC_FOUND_ADOVE";
    static constexpr const char* kDelegatesButton = "IDC_FOUND_ADMAN";
    static constexpr const char* kExitButton = "IDC_MEEFITOUT_EXIT";
    static constexpr const char* kTitle = "1355";

    explicit FrmMeeOut(MeetingListModel& meetings, QWidget* parent = nullptr);

    FrmMeeset* meetingPage() const { return m_meetings; }
    FrmMeeMat* motionPage() const { return m_motions; }
    FrmManinfo* delegatePage() const { return m_delegates; }

    void showMeetings();
    void showMotions();
    void showDelegates();

    void done(int result) override;

private:
    void openMeetingPage(QWidget* page, PrepPage& prepPage);
    void setMeetingUsable(bool usable);

    FrmMeeset* m_meetings;
    FrmMeeMat* m_motions;
    FrmManinfo* m_delegates;
    bool m_meetingUsable = false;
};
