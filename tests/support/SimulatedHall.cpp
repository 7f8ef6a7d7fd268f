#include "support/SimulatedHall.h"

#include "link/Commands.h"
#include "link/FrameCodec.h"

SimulatedHall::SimulatedHall(MemoryPortBank& bank, int units, int chairs, const QString& controllerPath)
    : m_hall(units, chairs), m_bank(bank), m_controllerPath(controllerPath)
{
    bank.setResponder([this](const QString& path, quint32 word) -> QByteArray {
        if (m_silent || path != m_controllerPath)
            return {};
        QByteArray answer;
        for (quint32 reply : m_hall.receive(word))
            answer += FrameCodec::encode(reply);
        return answer;
    });
}

bool SimulatedHall::act(const QString& line)
{
    const std::optional<UnitHall::Action> action = UnitHall::parse(line);
    if (!action)
        return false;
    // Microphones switched at the units report themselves at once, as the controller does.
    QByteArray events;
    for (quint32 event : m_hall.apply(*action))
        events += FrameCodec::encode(event);
    if (!events.isEmpty() && !m_silent)
        m_bank.receive(events, m_controllerPath);
    return true;
}

void SimulatedHall::setAnswering(const QMap<int, quint8>& keyStates)
{
    for (int n = 1; n <= m_hall.unitCount(); ++n) {
        const quint8 state = keyStates.value(n);
        SimUnit& unit = m_hall.unit(n);
        unit = {};
        unit.present = keyStates.contains(n);
        unit.forbidden = !(state & Commands::kKeyMicFree);
        unit.signInKey = state & Commands::kKeySignIn;
        unit.micOpen = state & Commands::kKeyMicOpen;
        unit.voteKeys = state & Commands::kKeyVoteMask;
    }
}
