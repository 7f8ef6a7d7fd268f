#include "meeting/MeetingState.h"

void MeetingState::setSignInClosed(bool closed)
{
    if (m_signInClosed == closed)
        return;
    m_signInClosed = closed;
    emit signInClosedChanged(closed);
}
