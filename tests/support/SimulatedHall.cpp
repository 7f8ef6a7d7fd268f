#include "support/SimulatedHall.h"

#include "link/FrameCodec.h"

SimulatedHall::SimulatedHall(MemoryPortBank& bank, int units, int chairs, const QString& controllerPath)
    : m_hall(units, chairs), m_controllerPath(controllerPath)
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
    m_hall.apply(*action);
    return true;
}
