#pragma once
// A link up on a simulated hall of ten units with two chairmen, in virtual
// time, with a meeting whose delegates sit at their own unit numbers.

#include "../meeting/MeetingTestData.h"
#include "link/Link.h"
#include "support/ConsoleTest.h"
#include "support/SimulatedHall.h"

#include <memory>

class SpeakingFixture : public ConsoleTest
{
protected:
    static constexpr int kUnits = 10;
    static constexpr int kChairs = 2;

    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        hall = std::make_unique<SimulatedHall>(bank, kUnits, kChairs);
        link = std::make_unique<Link>(bank.factory());
        link->start(1, 1, kUnits, kChairs);
        ASSERT_TRUE(
            clock.advanceUntil([&] { return bank.sentWords().endsWith(Commands::kControlEnd); }, 20000));
        clock.advance(100);
        bank.clearSent();
    }
    void TearDown() override
    {
        link.reset();
        ConsoleTest::TearDown();
    }
    // The words sent since the last call, after a few sequencer steps.
    QList<quint32> sentAfterSteps()
    {
        clock.advance(200);
        const QList<quint32> words = bank.sentWords();
        bank.clearSent();
        return words;
    }

    MemoryPortBank bank;
    std::unique_ptr<SimulatedHall> hall;
    std::unique_ptr<Link> link;
};
