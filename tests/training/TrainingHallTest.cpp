// The simulated hall inside the console, under the real link, in virtual time.

#include "training/TrainingHall.h"
#include "training/HallTiming.h"

#include "link/Link.h"
#include "support/ConsoleTest.h"

namespace {

class TrainingHallTest : public ConsoleTest
{
protected:
    static constexpr int kUnits = 12;

    void TearDown() override
    {
        link.reset();
        hall.reset();
        ConsoleTest::TearDown();
    }
    void startLink()
    {
        hall = std::make_unique<TrainingHall>(kUnits, 2, clock);
        link = std::make_unique<Link>(hall->pipeFactory());
        QObject::connect(link.get(), &Link::frameSent, [this] { sentAt.append(clock.now()); });
        QObject::connect(link.get(), &Link::frameReceived, [this] { receivedAt.append(clock.now()); });
        link->start(1, 1, kUnits, 2);
    }

    std::unique_ptr<TrainingHall> hall;
    std::unique_ptr<Link> link;
    QList<qint64> sentAt;
    QList<qint64> receivedAt;
};

TEST_F(TrainingHallTest, LinkComesUpOnTheHallAnsweringAtTheLinesPace)
{
    EXPECT_EQ(HallTiming::answerDelayMs(3), 12);

    startLink();
    int connectedAt = 0;
    QObject::connect(link.get(), &Link::controllerConnected, [&](int port) { connectedAt = port; });
    ASSERT_TRUE(clock.advanceUntil([&] { return link->onlineCount() == kUnits; }, 20000, 1));
    EXPECT_EQ(connectedAt, 1);
    ASSERT_FALSE(receivedAt.isEmpty());
    // The search's probe of unit 1 is the first frame; its answer comes when the line has carried both:
    // 8.33 ms of line and 0.5 ms of turnaround.
    EXPECT_EQ(receivedAt.first() - sentAt.first(), 9);

    // A unit's microphone opened at the hall reaches the unit table at once, as the controller reports it.
    hall->setMicrophone({4}, true);
    EXPECT_TRUE(link->unit(4).micOn);
    hall->setMicrophone({4}, false);
    EXPECT_FALSE(link->unit(4).micOn);
}

TEST_F(TrainingHallTest, LineNoiseReachesTheConsole)
{
    startLink();
    hall->setNoise(1.0); // every byte sent is hit: no answer survives
    bool notFound = false;
    QObject::connect(link.get(), &Link::controllerNotFound, [&] { notFound = true; });
    ASSERT_TRUE(clock.advanceUntil([&] { return notFound; }, 20000));
    EXPECT_EQ(link->onlineCount(), 0);
    EXPECT_GT(link->bytesDiscarded(), 0u);
}

TEST_F(TrainingHallTest, UnitListsReachOnlyUnitsOfTheHall)
{
    TrainingHall twelve(kUnits, 1, clock);
    for (const char* refused : {"", " ", "0", "13", "1-13", "5-3", "a", "1,,x", "-2"})
        EXPECT_FALSE(twelve.unitsFromText(QString::fromLatin1(refused))) << refused;
    EXPECT_EQ(twelve.unitsFromText(" 1-3, 7 "), (QList<int>{1, 2, 3, 7}));
    EXPECT_EQ(twelve.unitsFromText("12"), QList<int>{12});
}

TEST_F(TrainingHallTest, LeavingIsRiskyOnlyWhileASignInOrVoteIsOpenAtTheUnits)
{
    TrainingHall twelve(kUnits, 1, clock);
    EXPECT_FALSE(twelve.rehearsalRunning());
    twelve.model().receive(Commands::kSignInStart);
    EXPECT_TRUE(twelve.rehearsalRunning());
    twelve.model().receive(Commands::kSignInEnd);
    twelve.model().receive(0xF75507); // a vote opens
    EXPECT_TRUE(twelve.rehearsalRunning());
    twelve.model().receive(Commands::kVoteEnd);
    EXPECT_FALSE(twelve.rehearsalRunning());
}

} // namespace
