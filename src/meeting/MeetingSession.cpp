#include "meeting/MeetingSession.h"

#include "meeting/SignInSession.h"
#include "meeting/VoteSession.h"

MeetingSession::MeetingSession(Link& link, TimerService& timers, const Meeting& meeting, QObject* parent)
    : QObject(parent),
      m_signIn(std::make_unique<SignInSession>(link, timers, m_state, SignInTexts::fromLanguageTable())),
      m_vote(std::make_unique<VoteSession>(link, timers, m_state, VoteTexts::fromLanguageTables()))
{
    setMeeting(meeting);
}

MeetingSession::~MeetingSession() = default;

void MeetingSession::setMeeting(const Meeting& meeting)
{
    m_meeting = meeting;
    m_signIn->setMeeting(meeting);
    m_vote->setMeeting(meeting);
}

bool MeetingSession::isBusy() const
{
    return m_signIn->isRunning() || m_vote->isRunning();
}

MeetingSessions::~MeetingSessions() = default;

MeetingSession& MeetingSessions::session(const Meeting& meeting)
{
    std::unique_ptr<MeetingSession>& session = m_sessions[meeting.name];
    if (session)
        session->setMeeting(meeting);
    else
        session = std::make_unique<MeetingSession>(m_link, m_timers, meeting);
    return *session;
}
