// The link against the simulated controller on a real pseudo-terminal, in real time.

#include "QtPrinters.h"
#include "core/TimerService.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "support/ConsoleTest.h"
#include "support/SimulatorProcess.h"

#include <QTest>

using LinkEndToEnd = ConsoleTest;

TEST_F(LinkEndToEnd, FindsTheSimulatorPastMissingPortsAndSignsIn)
{
    installTimers(nullptr); // the program's real timers
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(UNITSIM_EXECUTABLE, 40, 2, m_folder.filePath("unitsim.log")));
    Link link;
    const auto units = [&](int UnitRecord::*field) {
        QList<int> out;
        for (int n = 1; n <= link.unitCount; ++n)
            if (link.unit(n).*field)
                out.append(n);
        return out;
    };
    for (const char* line : {"offline 4,7", "forbid 2", "mic 6 on"})
        ASSERT_TRUE(sim.act(line)) << line;
    link.setPortOverrides({{1, m_folder.filePath("no-such-tty-1")}, {2, sim.terminal()}});
    link.start(1, 3, 10, 2);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return link.operatingMode == LinkMode::Idle && link.linkConnected; }, 10000));
    EXPECT_EQ(link.portPath(), sim.terminal());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return units(&UnitRecord::online) == QList<int>{1, 2, 3, 5, 6, 8, 9, 10}; }, 1000))
        << testing::PrintToString(units(&UnitRecord::online));
    EXPECT_EQ(units(&UnitRecord::forbidden), (QList<int>{2}));
    EXPECT_EQ(units(&UnitRecord::micOn), (QList<int>{6}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return sim.received().endsWith(Commands::kControlEnd); }, 3000));
    QTest::qWait(LinkTiming::kStartupControlEndDelayMs + 100);

    link.request(Commands::controlBegin());
    QTest::qWait(100);
    link.request(Commands::signInStart());
    QTest::qWait(100);
    for (const char* line : {"signin 1-3,8", "trickle on"}) // answers now arrive byte by byte
        ASSERT_TRUE(sim.act(line)) << line;
    link.request(LinkMode::SignInPoll);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return units(&UnitRecord::signedIn) == QList<int>{1, 2, 3, 8};
        },
        5000));
    ASSERT_TRUE(sim.act("signin 10"));
    link.request(Commands::signInEnd());
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.signInPollDone == 1; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return units(&UnitRecord::signedIn) == QList<int>{1, 2, 3, 8, 10};
        },
        1000))
        << testing::PrintToString(units(&UnitRecord::signedIn));
}
