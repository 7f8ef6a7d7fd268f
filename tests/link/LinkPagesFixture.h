#pragma once
// The link's fixture for window tests: the program end is caught, and nobody in
// the hall answers until a test says who does.

#include "LinkHallFixture.h"

class LinkPagesTest : public LinkHallTest
{
protected:
    void SetUp() override
    {
        LinkHallTest::SetUp();
        hall.setAnswering({});
    }

    // `units = {{1, 0x80}, {4, 0x80}}`: only these units answer, with these key
    // states; `controllerOn = false` silences the line. Short forms for the hall.
    struct AnsweringUnits
    {
        SimulatedHall& hall;
        void operator=(const QMap<int, quint8>& keyStates) { hall.setAnswering(keyStates); }
    };
    struct ControllerSwitch
    {
        SimulatedHall& hall;
        void operator=(bool on) { hall.setSilent(!on); }
    };

    AnsweringUnits units{hall};
    ControllerSwitch controllerOn{hall};
};
