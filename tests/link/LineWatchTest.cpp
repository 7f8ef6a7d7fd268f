// The link watches its line for the whole run: a broken port or a silent
// controller is a lost line that is reopened and resumed by itself, and a
// stream that is no controller's is a line fault whose keys are not taken.

#include "LinkHallFixture.h"
#include "QtPrinters.h"

#include <QRandomGenerator>
#include <QSignalSpy>

namespace {

constexpr int kPace = LinkTiming::kFastPaceMs;
const QString kController = QStringLiteral("/dev/ttyS0");

QByteArray randomBytes(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(count, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

class LineWatch : public LinkHallTest
{
protected:
    // The vote's endless poll cycle, as a vote page asks for it.
    void pollVotes()
    {
        link->request(LinkMode::VotePoll);
        clock.advance(kPace);
    }
    // One full poll cycle over `units` units.
    void cycles(int count, int units) { clock.advance(qint64(count) * (units + 1) * kPace); }
};

} // namespace

TEST_F(LineWatch, ABrokenPortIsLostReopenedEveryFewSecondsAndResumedWithTheStartupFrames)
{
    ASSERT_TRUE(connectLink(10));
    QSignalSpy lost(link.get(), &Link::lineLost);
    QSignalSpy restored(link.get(), &Link::lineRestored);
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    const LineMark mark = link->lineMark();
    EXPECT_FALSE(link->troubleSince(mark));

    bank.refuse(kController); // the device is gone until the controller comes back
    bank.openPipe(kController)->breakDown(QStringLiteral("Input/output error"));
    clock.advance(kPace);
    ASSERT_EQ(lost.count(), 1);
    EXPECT_EQ(lost.first().first().toString(), QStringLiteral("Input/output error"));
    EXPECT_EQ(link->lineState(), Link::LineState::Lost);
    EXPECT_EQ(link->lostPath(), kController);
    EXPECT_TRUE(link->troubleSince(mark));
    EXPECT_EQ(bank.openPipe(kController), nullptr) << "the broken port is closed";

    const qsizetype attemptsBefore = bank.openAttempts().size();
    pollVotes();
    clock.advance(3 * LinkTiming::kReopenEveryMs);
    EXPECT_EQ(bank.openAttempts().size() - attemptsBefore, 3) << "one try every few seconds";
    EXPECT_TRUE(bank.sentWords().isEmpty()) << "nothing reaches a closed port";

    bank.accept(kController);
    ASSERT_TRUE(
        clock.advanceUntil([&] { return restored.count() == 1; }, LinkTiming::kReopenEveryMs + 2000, kPace));
    EXPECT_EQ(link->lineState(), Link::LineState::Up);
    clock.advance(LinkTiming::kStartupControlEndDelayMs + 2 * kPace);
    QList<quint32> expected{Commands::kProbe, Commands::kControlBegin};
    for (int n = 1; n <= 10; ++n)
        expected.append(Commands::pollWord(n));
    expected.append(Commands::kControlEnd);
    EXPECT_EQ(bank.sentWords(), expected) << "the vote cycle of the dead line does not go on";
    EXPECT_EQ(link->operatingMode(), LinkMode::Idle);
    EXPECT_EQ(shown.count(), 0) << "the open area stays in front";
    EXPECT_EQ(lost.count(), 1);
    EXPECT_TRUE(link->troubleSince(mark)) << "a round that crossed the loss knows it";
    EXPECT_FALSE(link->troubleSince(link->lineMark()));
}

TEST_F(LineWatch, NoAnswerInTwoFullCyclesIsALostLineAndTheFirstAnswerResumesIt)
{
    ASSERT_TRUE(connectLink(10));
    QSignalSpy lost(link.get(), &Link::lineLost);
    QSignalSpy restored(link.get(), &Link::lineRestored);
    hall.setSilent(true); // switched off: the port itself stays sound
    const LineMark mark = link->lineMark();
    pollVotes();
    cycles(1, 10);
    EXPECT_EQ(link->lineState(), Link::LineState::Up) << "one silent cycle is not yet a lost line";
    cycles(1, 10);
    ASSERT_EQ(lost.count(), 1);
    EXPECT_TRUE(lost.first().first().toString().isEmpty()) << "no port error: the units went silent";
    EXPECT_FALSE(link->heardSince(mark));

    hall.setSilent(false);
    ASSERT_TRUE(
        clock.advanceUntil([&] { return restored.count() == 1; }, LinkTiming::kReopenEveryMs + 2000, kPace));
    EXPECT_TRUE(link->heardSince(mark));
    EXPECT_EQ(lost.count(), 1);
}

TEST_F(LineWatch, UnitsHeardBeforeAndSilentForAWholeCycleAreCounted)
{
    ASSERT_TRUE(connectLink(10));
    QSignalSpy unheard(link.get(), &Link::unheardUnitsChanged);
    ASSERT_TRUE(hall.act(QStringLiteral("offline 4,7")));
    pollVotes();
    cycles(2, 10);
    EXPECT_EQ(link->unheardUnits(), 2);
    ASSERT_FALSE(unheard.isEmpty());
    EXPECT_EQ(unheard.last().first().toInt(), 2);
    EXPECT_EQ(link->onlineCount(), 8) << "the unit table says they are gone";
    EXPECT_FALSE(link->unit(4).online);
    ASSERT_TRUE(hall.act(QStringLiteral("online 4,7")));
    cycles(2, 10);
    EXPECT_EQ(link->unheardUnits(), 0);
    EXPECT_EQ(link->onlineCount(), 10);
    EXPECT_EQ(link->lineState(), Link::LineState::Up);
}

TEST_F(LineWatch, AFloodIsNoControllerAndItsKeysAreNotTaken)
{
    // A terminal that pours random bytes, with a perfect answer from unit 1 among them.
    bank.setResponder([](const QString&, quint32 word) {
        return randomBytes(3000, word) + FrameCodec::encode(0xF9C001) + randomBytes(100, word + 1);
    });
    QSignalSpy fault(link.get(), &Link::lineFaultChanged);
    link->start(1, 1, 10, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->searchFailed(); }, 5000, kPace));
    EXPECT_EQ(link->lineState(), Link::LineState::Down);
    EXPECT_FALSE(link->controllerFound());
    ASSERT_FALSE(fault.isEmpty());
    EXPECT_TRUE(fault.first().first().toBool());
    EXPECT_GT(link->bytesPerSecond(), Link::kMaxBytesPerSecond);
}

TEST_F(LineWatch, GarbageAtALinesPaceIsAFaultUntilTheLineIsQuiet)
{
    ASSERT_TRUE(connectLink(10));
    QSignalSpy fault(link.get(), &Link::lineFaultChanged);
    pollVotes();
    const LineMark mark = link->lineMark();
    // 600 bytes a second besides the answers, slower than the line can carry, and most of what arrives.
    for (int i = 0; i < 25 && !link->lineFault(); ++i) {
        bank.receive(randomBytes(60, 100 + i), kController);
        clock.advance(100);
    }
    ASSERT_EQ(fault.count(), 1);
    EXPECT_TRUE(link->lineFault());
    EXPECT_GT(link->garbagePercent(), Link::kGarbagePercentFault);
    EXPECT_LE(link->bytesPerSecond(), Link::kMaxBytesPerSecond);
    const LineMark during = link->lineMark();
    cycles(1, 10);
    EXPECT_FALSE(link->heardSince(during)) << "the units' answers on a faulty line are not taken";
    EXPECT_EQ(link->lineState(), Link::LineState::Up) << "a fault is no lost line";

    // The units' own answers alone are a sound line again.
    ASSERT_TRUE(clock.advanceUntil([&] { return !link->lineFault(); }, 3 * LinkTiming::kLineWindowMs, kPace));
    EXPECT_EQ(fault.count(), 2);
    EXPECT_TRUE(link->troubleSince(mark));
    const LineMark after = link->lineMark();
    cycles(1, 10);
    EXPECT_TRUE(link->heardSince(after));
}
