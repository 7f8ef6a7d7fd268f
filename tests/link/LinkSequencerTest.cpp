// The sequencer: search, start-up poll, poll cycles and the mailbox, against
// the simulated hall in virtual time, checked step by step.

#include "LinkHallFixture.h"
#include "QtPrinters.h"
#include "core/IniFile.h"
#include "link/SerialLink.h"

#include <QSignalSpy>

namespace {

constexpr int kPace = LinkTiming::kFastPaceMs;

QString ttyS(int port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

class LinkSequencer : public LinkHallTest
{
protected:
    // Words sent by the next `count` steps, one entry per step (0: nothing sent).
    QList<quint32> steps(int count)
    {
        QList<quint32> out;
        for (int i = 0; i < count; ++i) {
            const qsizetype before = bank.sent().size();
            clock.advance(kPace);
            const qsizetype after = bank.sent().size();
            EXPECT_LE(after - before, 1) << "more than one frame in one step";
            out.append(after > before ? bank.sent().last().word : 0u);
        }
        return out;
    }
};

} // namespace

TEST_F(LinkSequencer, StartupSearchesPortsAndPollsEveryUnit)
{
    hall.setControllerPath(ttyS(3));
    hall.setAnswering({{1, 0x80}, {2, 0xA0}, {3, 0x00}});
    QSignalSpy finished(link.get(), &Link::startupPollFinished);
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    link->start(1, 5, 3, 1);
    clock.advance(3000);
    EXPECT_EQ(bank.openAttempts(), (QStringList{ttyS(1), ttyS(2), ttyS(3)}));
    EXPECT_EQ(bank.sentWords(ttyS(2)), (QList<quint32>{Commands::kProbe}));
    EXPECT_EQ(bank.sentWords(ttyS(3)), (QList<quint32>{Commands::kProbe, Commands::kControlBegin, 0xFA0001,
                                                       0xFA0002, 0xFA0003, Commands::kControlEnd}));
    // Ports left behind by the search are closed.
    EXPECT_EQ(bank.openPipe(ttyS(1)), nullptr);
    EXPECT_NE(bank.openPipe(ttyS(3)), nullptr);
    EXPECT_EQ(link->portNumber(), 3);

    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    ASSERT_EQ(sent.size(), 8);
    // One probe every third step, ControlBegin at the next search step after the answer.
    EXPECT_EQ(sent[0].time, 3 * kPace);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(sent[i].time - sent[i - 1].time, 3 * kPace) << i;
    // 500 ms, then the polls one step apart.
    EXPECT_GE(sent[4].time - sent[3].time, LinkTiming::kStartupPollDelayMs);
    EXPECT_LE(sent[4].time - sent[3].time, LinkTiming::kStartupPollDelayMs + kPace);
    EXPECT_EQ(sent[6].time - sent[5].time, kPace);
    // The step after the last poll ends the start-up poll; ControlEnd 500 ms later.
    EXPECT_GE(sent[7].time - sent[6].time, kPace + LinkTiming::kStartupControlEndDelayMs);
    EXPECT_LE(sent[7].time - sent[6].time, 2 * kPace + LinkTiming::kStartupControlEndDelayMs);
    EXPECT_EQ(link->operatingMode, LinkMode::Idle);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(link->linkConnected, 1);
    EXPECT_EQ(link->unit(2).micOn, 1);
}

TEST_F(LinkSequencer, SearchFailsThenANewSearchFindsTheControllerAndAStrayAnswerEndsNoSearch)
{
    hall.setControllerPath(ttyS(2));
    hall.setSilent(true);
    QSignalSpy notFound(link.get(), &Link::controllerNotFound);
    link->start(1, 3, 2, 0);
    clock.advance(2000);
    EXPECT_EQ(bank.openAttempts(), (QStringList{ttyS(1), ttyS(2), ttyS(3)}));
    EXPECT_EQ(notFound.count(), 1);
    EXPECT_FALSE(bank.sentWords().contains(Commands::kControlBegin));

    hall.setSilent(false);
    link->request(LinkMode::Search);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linkConnected == 1; }, 3000));
    EXPECT_EQ(link->searchFailed, 0);
    EXPECT_EQ(bank.openAttempts().mid(3), (QStringList{ttyS(1), ttyS(2)}));

    // An answer from the old port still on its way when the operator starts a new search.
    link->request(LinkMode::Search);
    bank.receive(FrameCodec::encode(0xF98001));
    clock.advance(kPace);
    EXPECT_FALSE(link->controllerFound());
    hall.setSilent(true);
    clock.advance(2000);
    EXPECT_EQ(notFound.count(), 2);
}

TEST_F(LinkSequencer, LineCycleEndsOneStepAfterTheLastPoll)
{
    hall.setAnswering({{1, 0x80}, {3, 0x80}});
    ASSERT_TRUE(connectLink(3));
    QSignalSpy ended(link.get(), &Link::lineCycleFinished);
    link->clearOnline();
    link->request(LinkMode::LinePoll);
    EXPECT_EQ(steps(3), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003}));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(steps(1), (QList<quint32>{0}));
    EXPECT_EQ(link->linePollDone, 1);
    EXPECT_EQ(ended.count(), 1) << "signalled in the step that raises the flag";
    EXPECT_EQ(steps(3), (QList<quint32>{0, 0, 0})) << "the cycle runs once";
    EXPECT_EQ(link->onlineCount(), 2);
}

TEST_F(LinkSequencer, EndlessSignInCycleSurvivesAPlainRequest)
{
    hall.setAnswering({{1, 0xC0}, {2, 0x80}, {3, 0xC0}});
    ASSERT_TRUE(connectLink(3));
    link->request(LinkMode::SignInPoll);
    // Polls 1..3, one empty step where the counter returns to 0, and over again.
    EXPECT_EQ(steps(8), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003, 0, 0xFA0001, 0xFA0002, 0xFA0003, 0}));
    EXPECT_EQ(link->unit(1).signedIn, 1);
    EXPECT_EQ(link->unit(2).signedIn, 0);

    // A plain command while the cycle polls: that step's poll is chosen last and
    // goes out; the cycle keeps running.
    link->request(LinkMode::Plain, Commands::kSignInStart);
    EXPECT_EQ(steps(4), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003, 0}));
    // In the cycle's empty step the command is the only word chosen, so it goes out.
    steps(3);
    link->request(LinkMode::Plain, Commands::kSignInStart);
    EXPECT_EQ(steps(2), (QList<quint32>{Commands::kSignInStart, 0xFA0001}));
    EXPECT_TRUE(link->signInCycleActive());
    EXPECT_EQ(link->signInPollDone, 0);
}

TEST_F(LinkSequencer, ClosingSignInCycleRunsOnceAfterSignInEnd)
{
    hall.setAnswering({{1, 0xC0}, {2, 0x80}});
    ASSERT_TRUE(connectLink(2));
    QSignalSpy ended(link.get(), &Link::signInCycleFinished);
    link->request(LinkMode::SignInPoll);
    steps(4);
    hall.unit(2).signInKey = true; // unit 2 presses its key before the end
    link->request(Commands::signInEnd());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kSignInEnd}));
    EXPECT_FALSE(link->signInCycleActive());
    // Nothing for 500 ms, then one closing cycle.
    const QList<quint32> closing = steps(LinkTiming::kClosingCycleDelayMs / kPace + 5);
    EXPECT_EQ(closing.size() - closing.count(0), 2);
    EXPECT_EQ(closing.count(0xFA0001), 1);
    EXPECT_EQ(link->signInPollDone, 1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(link->signInCycleActive());
    EXPECT_EQ(link->unit(2).signedIn, 1);
}

TEST_F(LinkSequencer, ClosingVoteCycleCollectsTheKeys)
{
    ASSERT_TRUE(connectLink(3));
    QSignalSpy ended(link.get(), &Link::voteCycleFinished);
    link->request(*Commands::voteStart(2));
    EXPECT_EQ(steps(1), (QList<quint32>{0xF75507}));
    hall.act("press 1 1");
    hall.act("press 2 2");
    hall.act("press 3 3");
    link->request(LinkMode::VotePoll);
    steps(5);
    EXPECT_EQ(link->unit(3).voteKeys, 4);
    hall.act("press 3 1"); // unit 3 changes its mind and opens its microphone
    hall.unit(3).micOpen = true;
    link->request(Commands::voteEnd());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kVoteEnd}));
    ASSERT_TRUE(clock.advanceUntil([&] { return link->votePollDone == 1; }, 2000, kPace));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(link->unit(2).voteKeys, 2);
    EXPECT_EQ(link->unit(3).voteKeys, 1);
    EXPECT_EQ(link->unit(3).micOn, 1);
    // A vote command after the closing cycle clears its once-flag: the next cycle is endless again.
    link->request(Commands::controlBegin(LinkMode::VoteCommand));
    steps(1);
    link->request(LinkMode::VotePoll);
    link->votePollDone = 0;
    EXPECT_EQ(steps(8).count(0xFA0001), 2);
    EXPECT_EQ(link->votePollDone, 0);
}

TEST_F(LinkSequencer, LastRequestBeforeAStepWinsAndIdleModesOrAStoppedLinkSendNothing)
{
    ASSERT_TRUE(connectLink(2));
    link->request(*Commands::speakerOn(1, 2));
    link->request(*Commands::speakerOff(2, 2));
    EXPECT_EQ(steps(2), (QList<quint32>{0xFB0002, 0}));
    EXPECT_EQ(link->pendingRequest, 0);
    link->request(LinkMode::Idle, 0xFC0001);
    link->request(9, 0xFC0001);
    EXPECT_EQ(steps(2), (QList<quint32>{0, 0}));

    link->stop();
    EXPECT_EQ(bank.openPipe(), nullptr) << "stop closes the port";
    link->request(LinkMode::LinePoll);
    EXPECT_EQ(steps(3), (QList<quint32>{0, 0, 0}));
}

TEST_F(LinkSequencer, TheSearchFollowsThePortMapAndSkipsPortsThatDoNotOpen)
{
    const QString ini = programFile("System/ports.ini");
    ASSERT_TRUE(IniFile::writeString(ini, "Ports", "COM2", " /dev/ttyUSB0 "));
    ASSERT_TRUE(IniFile::writeString(ini, "Ports", "COM3", "/dev/ttyACM1"));
    // A port given on the command line beats the map.
    EXPECT_EQ(SerialLink::devicePath(3, {{3, "/tmp/pty-3"}}), "/tmp/pty-3");
    EXPECT_EQ(SerialLink::devicePath(2, {{3, "/tmp/pty-3"}}), "/dev/ttyUSB0");

    hall.setControllerPath("/dev/ttyACM1");
    bank.refuse("/dev/ttyS0");
    bank.refuse("/dev/ttyUSB0");
    QSignalSpy opened(link.get(), &Link::portOpened);
    link->start(1, 4, 1, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linkConnected == 1; }, 3000));
    EXPECT_EQ(bank.openAttempts(), (QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM1"}));
    QList<bool> openedOk;
    for (const QList<QVariant>& args : opened)
        openedOk.append(args[2].toBool());
    EXPECT_EQ(openedOk, (QList<bool>{false, false, true}));
    EXPECT_EQ(link->portNumber(), 3);
}
