#pragma once
// A link over in-memory ports with the simulated hall (249 units, all
// answering) on /dev/ttyS0, port 1, in virtual time.

#include "link/Link.h"
#include "link/LinkTiming.h"
#include "support/ConsoleTest.h"
#include "support/MemoryPipe.h"
#include "support/SimulatedHall.h"

class LinkHallTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        link = std::make_unique<Link>(bank.factory());
    }
    void TearDown() override
    {
        link.reset();
        ConsoleTest::TearDown();
    }

    // Start-up until the controller is found, every unit polled and ControlEnd
    // sent; then the record of frames is emptied and the clock stands right after a step.
    bool connectLink(int unitCount, int comHigh = 2)
    {
        link->start(1, comHigh, unitCount, 0);
        const bool idle = clock.advanceUntil(
            [&] {
                return link->operatingMode() == LinkMode::Idle && link->linkConnected() &&
                       bank.sentWords().endsWith(Commands::kControlEnd);
            },
            20000, LinkTiming::kFastPaceMs);
        bank.clearSent();
        return idle;
    }

    MemoryPortBank bank;
    SimulatedHall hall{bank, UnitHall::kMaxUnits};
    std::unique_ptr<Link> link;
};
