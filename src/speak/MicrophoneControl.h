#pragma once
// The operator's hand on the microphones: the speaking mode of the whole
// installation, how many microphones may be open, one unit's microphone
// opened, closed, locked or freed, and all delegate microphones closed.
// Every word goes through the link mailbox in the speaking mode, so the
// microphone events that follow keep the unit table current. With a
// speakers' log, every open and close is told to it as the console's own.

#include "speak/SeatPainter.h"
#include "speak/SpeechTable.h"

#include <QList>
#include <QtGlobal>

class Link;
class SpeakingLog;

class MicrophoneControl
{
public:
    static constexpr int kHighestSpeakerCount = 8;

    enum class Mode
    {
        Free,    // first mode: no limit, the count does not apply
        Limited, // second mode (04) with its number
        Queued   // third mode (02) with its number
    };
    enum class UnitAction
    {
        Open,
        Close,
        Forbid,
        Untie
    };

    explicit MicrophoneControl(Link& link, SpeakingLog* log = nullptr) : m_link(link), m_log(log) {}

    // Sends the mode; the controller closes every microphone on a change, and so does the table.
    void chooseMode(Mode mode);
    // Sends the count with the mode byte of the last limited or queued mode (0 before any).
    void chooseSpeakerCount(int count);
    // False, and nothing sent, for a unit outside 1..unitCount.
    bool act(UnitAction action, int unit);
    // Chairman units keep their microphones.
    void closeAll();
    // The speaker's time ran out: the same SpeakerOff as the close button.
    void closeAtTimeUp(int unit);

    // Each present unit's seat as the map shows it, units 1..unitCount.
    static QList<SeatState> seatStates(const Link& link);

private:
    void closeInLog(int first, int last, SpeechTable::ClosedBy why);

    Link& m_link;
    SpeakingLog* m_log;
    quint8 m_modeByte = 0;
};
