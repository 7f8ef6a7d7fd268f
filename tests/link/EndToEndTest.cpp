// The link against the simulated controller on a real pseudo-terminal, with
// real serial I/O and real timers.

#include "QtPrinters.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkTiming.h"

#include "core/TimerService.h"
#include "support/ConsoleTest.h"
#include "support/SimulatorProcess.h"

#include <QTest>

namespace {

class LinkEndToEnd : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        installTimers(nullptr); // the program's real timers
        ASSERT_TRUE(sim.start(UNITSIM_EXECUTABLE, 40, 2, m_folder.filePath("unitsim.log")));
        path = sim.terminal();
    }
    void TearDown() override
    {
        link.reset();
        ConsoleTest::TearDown();
    }
    // Sends actions to the simulator and waits until each is confirmed.
    void act(const QStringList& lines)
    {
        for (const QString& line : lines)
            ASSERT_TRUE(sim.act(line)) << line.toStdString();
    }
    QList<quint32> received() const { return sim.received(); }
    QList<int> units(int UnitRecord::*field) const
    {
        QList<int> out;
        for (int n = 1; n <= link->unitCount; ++n) {
            if (link->unit(n).*field)
                out.append(n);
        }
        return out;
    }

    SimulatorProcess sim;
    QString path;
    std::unique_ptr<Link> link;
};

} // namespace

TEST_F(LinkEndToEnd, FindsTheSimulatorPastMissingPortsAndReadsItsUnits)
{
    act({"offline 4,7", "forbid 2", "mic 6 on"});
    // Ports 1 and 2 do not exist; the simulator is port 3.
    link = std::make_unique<Link>();
    link->setPortOverrides(
        {{1, m_folder.filePath("no-such-tty-1")}, {2, m_folder.filePath("no-such-tty-2")}, {3, path}});
    int shown = 0;
    QObject::connect(link.get(), &Link::showMainWindow, [&] { ++shown; });
    link->start(1, 4, 10, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->linkConnected == 1; }, 10000));
    EXPECT_EQ(link->portPath(), path);
    // The last answer may cross the line just after the poll cycle has ended.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return units(&UnitRecord::online) == QList<int>{1, 2, 3, 5, 6, 8, 9, 10}; }, 1000))
        << testing::PrintToString(units(&UnitRecord::online));
    EXPECT_EQ(units(&UnitRecord::forbidden), (QList<int>{2}));
    EXPECT_EQ(units(&UnitRecord::micOn), (QList<int>{6}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->operatingMode == LinkMode::Idle && shown == 1; }, 3000));
    // The wire sequence and the line check are checked in virtual time; here the
    // last word must cross the terminal too.
    EXPECT_TRUE(QTest::qWaitFor([&] { return received().endsWith(Commands::kControlEnd); }, 3000));
}

TEST_F(LinkEndToEnd, SignInThroughTheSimulator)
{
    link = std::make_unique<Link>();
    link->setPortOverrides({{1, path}});
    link->start(1, 1, 10, 2);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return link->operatingMode == LinkMode::Idle && link->linkConnected; }, 10000));
    QTest::qWait(LinkTiming::kStartupControlEndDelayMs + 100);

    link->request(Commands::controlBegin());
    QTest::qWait(100);
    link->request(Commands::signInStart());
    QTest::qWait(100);
    act({"signin 1-3,8", "trickle on"}); // answers now arrive byte by byte
    link->request(LinkMode::SignInPoll);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return units(&UnitRecord::signedIn) == QList<int>{1, 2, 3, 8};
        },
        5000));
    act({"signin 10"});
    link->request(Commands::signInEnd());
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->signInPollDone == 1; }, 5000));
    // The flag rises one step after the last poll; a trickled answer may still be on the line.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return units(&UnitRecord::signedIn) == QList<int>{1, 2, 3, 8, 10};
        },
        1000))
        << testing::PrintToString(units(&UnitRecord::signedIn));
    EXPECT_FALSE(link->signInCycleActive());
}

TEST_F(LinkEndToEnd, NoisyLineNeverInventsUnits)
{
    act({"offline 31-40", "mic 7 on", "forbid 9"});
    // Noise only once the search is over, so the probe's answer gets through.
    link = std::make_unique<Link>();
    link->setPortOverrides({{1, path}});
    link->start(1, 1, 40, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->operatingMode == LinkMode::StartupPoll; }, 5000));
    act({"noise 0.02"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->linkConnected == 1; }, 10000));
    QTest::qWait(200); // the last answer
    const QList<int> online = units(&UnitRecord::online);
    EXPECT_GE(online.size(), 20) << "2% byte noise loses about 8% of the answers; online: "
                                 << testing::PrintToString(online) << " discarded " << link->bytesDiscarded();
    for (int n : online)
        EXPECT_LE(n, 30) << "unit " << n << " is switched off";
    for (int n : units(&UnitRecord::forbidden))
        EXPECT_EQ(n, 9);
    for (int n : units(&UnitRecord::micOn))
        EXPECT_EQ(n, 7);
    EXPECT_GT(link->bytesDiscarded(), 0u);
}
