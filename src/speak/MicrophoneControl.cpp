#include "speak/MicrophoneControl.h"

#include "link/Link.h"
#include "speak/SpeakingLog.h"

using SpeechTable::ClosedBy;

void MicrophoneControl::chooseMode(Mode mode)
{
    switch (mode) {
    case Mode::Free:
        m_link.request(Commands::speechModeFirst());
        break;
    case Mode::Limited:
        m_modeByte = Commands::kSpeechModeSecond;
        m_link.request(*Commands::speechModeNumber(m_modeByte, 1));
        break;
    case Mode::Queued:
        m_modeByte = Commands::kSpeechModeThird;
        m_link.request(*Commands::speechModeNumber(m_modeByte, 1));
        break;
    }
    m_link.clearMics(1, m_link.unitCount());
    closeInLog(1, m_link.unitCount(), ClosedBy::CloseAll);
}

void MicrophoneControl::chooseSpeakerCount(int count)
{
    // Before any limited mode the mode byte is 0, which no builder makes.
    const quint32 word =
        quint32(Commands::kClassSpeechMode) << 16 | quint32(m_modeByte) << 8 | quint32(count & 0xFF);
    m_link.request(LinkMode::Speaking, word);
    m_link.clearMics(1, m_link.unitCount());
    closeInLog(1, m_link.unitCount(), ClosedBy::CloseAll);
}

bool MicrophoneControl::act(UnitAction action, int unit)
{
    std::optional<Command> command;
    switch (action) {
    case UnitAction::Open:
        command = Commands::speakerOn(unit, m_link.unitCount());
        break;
    case UnitAction::Close:
        command = Commands::speakerOff(unit, m_link.unitCount());
        break;
    case UnitAction::Forbid:
        command = Commands::forbidUnit(unit, m_link.unitCount());
        break;
    case UnitAction::Untie:
        command = Commands::untieUnit(unit, m_link.unitCount());
        break;
    }
    if (!command)
        return false;
    if (action == UnitAction::Forbid || action == UnitAction::Untie)
        m_link.setForbidden(unit, action == UnitAction::Forbid);
    m_link.request(*command);
    if (m_log && action == UnitAction::Open)
        m_log->opened(unit, SpeechTable::OpenedBy::Console);
    else if (action != UnitAction::Untie)
        closeInLog(unit, unit, ClosedBy::Console); // a locked microphone closes too
    return true;
}

void MicrophoneControl::closeAll()
{
    m_link.clearMics(m_link.chairCount() + 1, m_link.unitCount());
    m_link.request(Commands::allMicsOff());
    closeInLog(m_link.chairCount() + 1, m_link.unitCount(), ClosedBy::CloseAll);
}

void MicrophoneControl::closeAtTimeUp(int unit)
{
    if (const std::optional<Command> command = Commands::speakerOff(unit, m_link.unitCount()))
        m_link.request(*command);
    closeInLog(unit, unit, ClosedBy::TimeUp);
}

void MicrophoneControl::closeInLog(int first, int last, ClosedBy why)
{
    if (m_log)
        m_log->closedRange(first, last, why);
}

QList<SeatState> MicrophoneControl::seatStates(const Link& link)
{
    QList<SeatState> states;
    states.reserve(link.unitCount());
    for (int unit = 1; unit <= link.unitCount(); ++unit) {
        const UnitRecord& record = link.unit(unit);
        if (!record.online)
            states.append(SeatState::Absent);
        else if (record.forbidden)
            states.append(SeatState::Forbidden);
        else
            states.append(record.micOn ? SeatState::MicOpen : SeatState::MicClosed);
    }
    return states;
}
