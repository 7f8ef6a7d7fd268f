#pragma once
// The simulator's unit model behind the in-memory ports: every frame the link
// writes on the controller's path goes to a UnitHall, and the words it answers
// come back as frames. One model of the hall for the link's tests, the pages'
// tests and unitsim alike.

#include "support/MemoryPipe.h"
#include "training/UnitHall.h"

#include <QMap>
#include <QString>

class SimulatedHall
{
public:
    explicit SimulatedHall(MemoryPortBank& bank, int units = 40, int chairs = 1,
                           const QString& controllerPath = QStringLiteral("/dev/ttyS0"));

    UnitHall& hall() { return m_hall; }
    SimUnit& unit(int number) { return m_hall.unit(number); }
    // Applies a scripted action ("signin 1-30", "press 7 1", "offline 4", "mic 7 on"); false on a
    // bad line. Microphone events go to the link at once.
    bool act(const QString& line);
    // Only the units named answer, each with the key state byte given (0x80 mic
    // free, 0x40 signed in, 0x20 mic open, vote key bits); the rest are switched off.
    void setAnswering(const QMap<int, quint8>& keyStates);

    // A silent line: frames are still recorded, nothing answers.
    void setSilent(bool silent) { m_silent = silent; }
    void setControllerPath(const QString& path) { m_controllerPath = path; }

private:
    UnitHall m_hall;
    MemoryPortBank& m_bank;
    QString m_controllerPath;
    bool m_silent = false;
};
