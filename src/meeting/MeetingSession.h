#pragma once
// One meeting held during this run of the program: its shared state, its
// sign-in and its vote procedure. The hub's pages come and go with the hub,
// but a finished sign-in (the closed flag, the figures, the quorum) belongs to
// the meeting for the whole run, so the session is made before the pages, is
// handed to them by reference and outlives them. MeetingSessions keeps one per
// meeting; whoever opens the hub owns it.

#include "meeting/MeetingState.h"
#include "prep/MeetingListModel.h"

#include <QObject>
#include <QString>
#include <map>
#include <memory>

class Link;
class SignInSession;
class TimerService;
class VoteSession;

class MeetingSession : public QObject
{
    Q_OBJECT
public:
    // The procedures take their texts from the language table in use.
    MeetingSession(Link& link, TimerService& timers, const Meeting& meeting, QObject* parent = nullptr);
    ~MeetingSession() override;

    const Meeting& meeting() const { return m_meeting; }
    // The meeting's row again (renamed fields, new due number); names are read again too.
    void setMeeting(const Meeting& meeting);

    MeetingState& state() { return m_state; }
    SignInSession& signIn() { return *m_signIn; }
    VoteSession& vote() { return *m_vote; }
    bool isBusy() const;

private:
    Meeting m_meeting;
    MeetingState m_state;
    std::unique_ptr<SignInSession> m_signIn;
    std::unique_ptr<VoteSession> m_vote;
};

// The meetings of the system database, listed once for every page that lists
// them, and a session for each meeting held.
class MeetingSessions
{
public:
    MeetingSessions(Link& link, TimerService& timers) : m_link(link), m_timers(timers) {}
    ~MeetingSessions();

    // Read by each page that shows it, when it opens.
    MeetingListModel& meetingList() { return m_list; }

    // The session of this meeting, made on first use; later calls hand over the row again.
    MeetingSession& session(const Meeting& meeting);

private:
    Link& m_link;
    TimerService& m_timers;
    MeetingTable m_table;
    MeetingListModel m_list{m_table};
    std::map<QString, std::unique_ptr<MeetingSession>> m_sessions;
};
