#include "link/FrameCodec.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "support/MemoryPipe.h"
#include "QtPrinters.h"
#include "link/SerialLink.h"

#include "support/ConsoleTest.h"
#include "core/IniFile.h"

#include <QMap>
#include <QSignalSpy>

namespace {

constexpr int kPace = LinkTiming::kFastPaceMs;

QString ttyS(int port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

class LinkSequencer : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        link = std::make_unique<Link>(bank.factory());
        bank.setResponder([this](const QString& path, quint32 word) -> QByteArray {
            const quint8 cls = quint8(word >> 16);
            const int unit = int(word & 0xFF);
            if (path != controllerPath || cls != Commands::kClassPoll || !units.contains(unit))
                return {};
            return FrameCodec::encode(0xF90000u | quint32(units.value(unit)) << 8 | quint32(unit));
        });
    }
    void TearDown() override
    {
        link.reset();
        ConsoleTest::TearDown();
    }

    // Start-up against the controller on `controllerPath` until the link is idle.
    void connectLink(int comHigh, int unitCount)
    {
        link->start(1, comHigh, unitCount, 0);
        ASSERT_TRUE(clock.advanceUntil(
            [&] {
                return link->operatingMode == LinkMode::Idle && link->linkConnected &&
                       bank.sentWords().endsWith(Commands::kControlEnd);
            },
            20000, kPace));
        link->linkConnected = 0;
        alignToTick();
        bank.clearSent();
    }
    // The sequencer timer runs from time 0: land right after a step.
    void alignToTick()
    {
        const qint64 rest = clock.now() % kPace;
        if (rest)
            clock.advance(kPace - rest);
    }
    // Words sent by the next `steps` steps, one entry per step (0: nothing sent).
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

    MemoryPortBank bank;
    std::unique_ptr<Link> link;
    QString controllerPath = ttyS(3);
    QMap<int, quint8> units; // unit -> key report state byte
};

} // namespace

TEST_F(LinkSequencer, StartupSearchesPortsAndPollsEveryUnit)
{
    units = {{1, 0x80}, {2, 0xA0}, {3, 0x00}};
    QSignalSpy finished(link.get(), &Link::startupPollFinished);
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    link->start(1, 5, 3, 1);
    EXPECT_EQ(link->operatingMode, LinkMode::Search);
    EXPECT_EQ(link->pendingRequest, 1);
    EXPECT_EQ(link->sequencerInterval(), kPace);

    clock.advance(3000);
    EXPECT_EQ(bank.openAttempts(), (QStringList{ttyS(1), ttyS(2), ttyS(3)}));
    EXPECT_EQ(bank.sentWords(ttyS(1)), (QList<quint32>{Commands::kProbe}));
    EXPECT_EQ(bank.sentWords(ttyS(2)), (QList<quint32>{Commands::kProbe}));
    EXPECT_EQ(bank.sentWords(ttyS(3)), (QList<quint32>{Commands::kProbe, Commands::kControlBegin, 0xFA0001,
                                                       0xFA0002, 0xFA0003, Commands::kControlEnd}));
    // Ports left behind by the search are closed.
    EXPECT_EQ(bank.openPipe(ttyS(1)), nullptr);
    EXPECT_EQ(bank.openPipe(ttyS(2)), nullptr);
    EXPECT_NE(bank.openPipe(ttyS(3)), nullptr);
    EXPECT_EQ(link->portNumber(), 3);
    EXPECT_EQ(link->portPath(), ttyS(3));

    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    ASSERT_EQ(sent.size(), 8);
    // One probe every third step: 90 ms apart, the first on the third step.
    EXPECT_EQ(sent[0].time, 3 * kPace);
    EXPECT_EQ(sent[1].time - sent[0].time, 3 * kPace);
    EXPECT_EQ(sent[2].time - sent[1].time, 3 * kPace);
    // ControlBegin at the next search step, after the answer arrived.
    EXPECT_EQ(sent[3].time - sent[2].time, 3 * kPace);
    // 500 ms, then the polls one step apart.
    EXPECT_GE(sent[4].time - sent[3].time, LinkTiming::kStartupPollDelayMs);
    EXPECT_LE(sent[4].time - sent[3].time, LinkTiming::kStartupPollDelayMs + kPace);
    EXPECT_EQ(sent[5].time - sent[4].time, kPace);
    EXPECT_EQ(sent[6].time - sent[5].time, kPace);
    // The step after the last poll ends the start-up poll; ControlEnd 500 ms later.
    EXPECT_GE(sent[7].time - sent[6].time, kPace + LinkTiming::kStartupControlEndDelayMs);
    EXPECT_LE(sent[7].time - sent[6].time, 2 * kPace + LinkTiming::kStartupControlEndDelayMs);
    EXPECT_EQ(link->operatingMode, LinkMode::Idle);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(link->linkConnected, 1);
    EXPECT_EQ(link->searchFailed, 0);

    // The table holds what the units answered.
    EXPECT_EQ(link->unit(1).online, 1);
    EXPECT_EQ(link->unit(1).forbidden, 0);
    EXPECT_EQ(link->unit(2).micOn, 1);
    EXPECT_EQ(link->unit(3).forbidden, 1);
    EXPECT_EQ(link->unit(4).online, 0);
}

TEST_F(LinkSequencer, SearchFailsThenRefreshFindsTheController)
{
    controllerPath = QStringLiteral("nowhere");
    units = {{1, 0x80}};
    link->start(1, 3, 2, 0);
    clock.advance(2000);
    EXPECT_EQ(bank.openAttempts(), (QStringList{ttyS(1), ttyS(2), ttyS(3)}));
    EXPECT_EQ(link->searchFailed, 1);
    EXPECT_FALSE(link->isSearching());
    EXPECT_EQ(link->linkConnected, 0);
    EXPECT_FALSE(bank.sentWords().contains(Commands::kControlBegin));

    // The refresh button: a new search from port 1.
    controllerPath = ttyS(1);
    link->searchFailed = 0;
    link->request(LinkMode::Search);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linkConnected == 1; }, 3000));
    EXPECT_EQ(link->portNumber(), 1);
    EXPECT_EQ(bank.openAttempts().mid(3), (QStringList{ttyS(1)}));
    EXPECT_EQ(link->unit(1).online, 1);
}

TEST_F(LinkSequencer, PortsThatCannotBeOpenedAreSkipped)
{
    bank.refuse(ttyS(1));
    bank.refuse(ttyS(2));
    units = {{1, 0x80}};
    QSignalSpy opened(link.get(), &Link::portOpened);
    link->start(1, 4, 1, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linkConnected == 1; }, 3000));
    EXPECT_EQ(link->portNumber(), 3);
    ASSERT_EQ(opened.count(), 3);
    EXPECT_EQ(opened[0][2].toBool(), false);
    EXPECT_EQ(opened[1][2].toBool(), false);
    EXPECT_EQ(opened[2][2].toBool(), true);
    EXPECT_TRUE(bank.sentWords(ttyS(1)).isEmpty());
    EXPECT_FALSE(bank.openAttempts().contains(ttyS(4)));
}

TEST_F(LinkSequencer, StrayAnswerFromAnOldPortDoesNotEndANewSearch)
{
    controllerPath = ttyS(2);
    units = {{1, 0x80}};
    connectLink(3, 1);
    // An answer still on its way when the operator starts a new search.
    link->request(LinkMode::Search);
    bank.receive(FrameCodec::encode(0xF98001));
    clock.advance(kPace);
    EXPECT_FALSE(link->controllerFound());
    controllerPath = QStringLiteral("nowhere");
    clock.advance(2000);
    EXPECT_EQ(link->searchFailed, 1);
}

TEST_F(LinkSequencer, StartupWithNoUnitsCompletesAtOnce)
{
    units = {{1, 0x80}};
    link->start(0, 3, 0, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linkConnected == 1; }, 3000));
    clock.advance(1000);
    EXPECT_EQ(bank.sentWords(ttyS(3)),
              (QList<quint32>{Commands::kProbe, Commands::kControlBegin, Commands::kControlEnd}));
}

TEST_F(LinkSequencer, LineCycleOfThreeUnits)
{
    units = {{1, 0x80}, {3, 0x80}};
    connectLink(3, 3);
    link->clearOnline();
    link->request(Commands::controlBegin());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kControlBegin}));
    link->request(LinkMode::LinePoll);
    link->linePollDone = 0;
    EXPECT_EQ(steps(3), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003}));
    EXPECT_EQ(link->linePollDone, 0);
    EXPECT_EQ(steps(1), (QList<quint32>{0}));
    EXPECT_EQ(link->linePollDone, 1);
    EXPECT_FALSE(link->lineCycleActive());
    EXPECT_EQ(steps(3), (QList<quint32>{0, 0, 0})); // the cycle ran once
    EXPECT_EQ(link->onlineCount(), 2);
    EXPECT_EQ(link->unit(2).online, 0);
    link->request(Commands::controlEnd());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kControlEnd}));
}

TEST_F(LinkSequencer, EndlessSignInCycleSurvivesAPlainRequest)
{
    units = {{1, 0xC0}, {2, 0x80}, {3, 0xC0}};
    connectLink(3, 3);
    link->request(LinkMode::SignInPoll);
    // Polls 1..3, one empty step where the counter returns to 0, and over again.
    EXPECT_EQ(steps(8), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003, 0, 0xFA0001, 0xFA0002, 0xFA0003, 0}));
    EXPECT_EQ(link->unit(1).signedIn, 1);
    EXPECT_EQ(link->unit(2).signedIn, 0);
    EXPECT_EQ(link->signInPollDone, 0);

    // A plain command while the cycle polls: that step's poll is chosen last and
    // goes out; the cycle keeps running.
    link->request(LinkMode::Plain, Commands::kSignInStart);
    EXPECT_EQ(steps(4), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003, 0}));
    EXPECT_TRUE(link->signInCycleActive());
    // In the cycle's empty step the command is the only word chosen, so it goes out.
    steps(3);
    link->request(LinkMode::Plain, Commands::kSignInStart);
    EXPECT_EQ(steps(2), (QList<quint32>{Commands::kSignInStart, 0xFA0001}));
    EXPECT_TRUE(link->signInCycleActive());
    EXPECT_EQ(link->signInPollDone, 0);
}

TEST_F(LinkSequencer, ClosingSignInCycleRunsOnceAfterSignInEnd)
{
    units = {{1, 0xC0}, {2, 0x80}};
    connectLink(3, 2);
    link->request(LinkMode::SignInPoll);
    steps(4);
    units[2] = 0xC0; // unit 2 presses its key before the end
    link->request(Commands::signInEnd());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kSignInEnd}));
    EXPECT_FALSE(link->signInCycleActive());
    // Nothing for 500 ms, then one closing cycle.
    const QList<quint32> closing = steps(LinkTiming::kClosingCycleDelayMs / kPace + 5);
    EXPECT_EQ(closing.count(0xFA0001), 1);
    EXPECT_EQ(closing.count(0xFA0002), 1);
    EXPECT_EQ(closing.size() - closing.count(0), 2);
    EXPECT_EQ(link->signInPollDone, 1);
    EXPECT_FALSE(link->signInCycleActive());
    EXPECT_EQ(link->unit(2).signedIn, 1);
}

TEST_F(LinkSequencer, ClosingVoteCycleCollectsTheKeys)
{
    units = {{1, 0x81}, {2, 0x82}, {3, 0x84}};
    connectLink(3, 3);
    link->request(*Commands::voteStart(2));
    EXPECT_EQ(steps(1), (QList<quint32>{0xF75507}));
    link->request(LinkMode::VotePoll);
    steps(5);
    EXPECT_EQ(link->unit(1).voteKeys, 1);
    units[3] = 0xA1; // unit 3 changes its mind and opens its microphone
    link->request(Commands::voteEnd());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kVoteEnd}));
    ASSERT_TRUE(clock.advanceUntil([&] { return link->votePollDone == 1; }, 2000, kPace));
    EXPECT_EQ(link->unit(2).voteKeys, 2);
    EXPECT_EQ(link->unit(3).voteKeys, 1);
    EXPECT_EQ(link->unit(3).micOn, 1);
    EXPECT_FALSE(link->voteCycleActive());
    // A vote command after the closing cycle clears its once-flag: the next cycle is endless again.
    link->request(Commands::controlEnd(LinkMode::VoteEnd));
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kControlEnd}));
    link->request(Commands::controlBegin(LinkMode::VoteCommand));
    steps(1);
    link->request(LinkMode::VotePoll);
    link->votePollDone = 0;
    EXPECT_EQ(steps(8).count(0xFA0001), 2);
    EXPECT_EQ(link->votePollDone, 0);
}

TEST_F(LinkSequencer, LastRequestBeforeAStepWins)
{
    units = {{1, 0x80}};
    connectLink(3, 2);
    link->request(*Commands::speakerOn(1, 2));
    link->request(*Commands::speakerOff(2, 2));
    EXPECT_EQ(steps(2), (QList<quint32>{0xFB0002, 0}));
    EXPECT_EQ(link->pendingRequest, 0);
    // Idle and unknown modes send nothing.
    link->request(LinkMode::Idle, 0xFC0001);
    link->request(9, 0xFC0001);
    EXPECT_EQ(steps(2), (QList<quint32>{0, 0}));
}

TEST_F(LinkSequencer, HideAndShowRequestsAreSignalledAtTheNextStep)
{
    units = {{1, 0x80}};
    connectLink(3, 1);
    QSignalSpy hidden(link.get(), &Link::hideMainWindow);
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    link->hideMainWindowRequest = 1;
    EXPECT_EQ(hidden.count(), 0);
    steps(1);
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(link->hideMainWindowRequest, 0);
    link->showMainWindowRequest = 1;
    steps(2);
    EXPECT_EQ(shown.count(), 1);
}

TEST_F(LinkSequencer, SlowPaceDuringALineCheck)
{
    units = {{1, 0x80}, {2, 0x80}, {3, 0x80}, {4, 0x80}};
    connectLink(3, 4);
    link->setSequencerPace(true);
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kSlowPaceMs);
    link->request(LinkMode::LinePoll);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linePollDone == 1; }, 5000, 10));
    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    ASSERT_EQ(sent.size(), 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(sent[i].time - sent[i - 1].time, LinkTiming::kSlowPaceMs);
    EXPECT_EQ(link->onlineCount(), 4);

    link->setSequencerPace(false);
    EXPECT_EQ(link->sequencerInterval(), kPace);
    bank.clearSent();
    link->request(LinkMode::LinePoll);
    clock.advance(200);
    ASSERT_EQ(bank.sent().size(), 4);
    EXPECT_EQ(bank.sent()[3].time - bank.sent()[0].time, 3 * kPace);
}

TEST_F(LinkSequencer, NoisyRepliesStillFillTheTable)
{
    units = {{1, 0x80}, {2, 0xA0}};
    connectLink(3, 2);
    link->request(LinkMode::LinePoll);
    clock.advance(kPace);
    // Noise before, a report split over two reads, a foreign frame between.
    const QByteArray report = FrameCodec::encode(0xF9A002);
    bank.receive(QByteArray::fromHex("00FF13") + report.left(1));
    bank.receive(report.mid(1) + FrameCodec::encode(0xFA0002));
    EXPECT_EQ(link->unit(2).micOn, 1);
    EXPECT_EQ(link->unit(2).online, 1);
    EXPECT_GT(link->bytesDiscarded(), 0u);
}

TEST_F(LinkSequencer, StopClosesThePortAndStopsStepping)
{
    units = {{1, 0x80}};
    connectLink(3, 1);
    EXPECT_TRUE(link->isRunning());
    link->stop();
    EXPECT_FALSE(link->isRunning());
    EXPECT_EQ(bank.openPipe(), nullptr);
    link->request(LinkMode::LinePoll);
    clock.advance(300);
    EXPECT_TRUE(bank.sent().isEmpty());
}

TEST_F(LinkSequencer, PortNumbersMapToDevicePaths)
{
    EXPECT_EQ(SerialLink::devicePath(1), "/dev/ttyS0");
    EXPECT_EQ(SerialLink::devicePath(4), "/dev/ttyS3");
    const QString ini = programFile("System/ports.ini");
    ASSERT_TRUE(IniFile::writeString(ini, "Ports", "COM2", " /dev/ttyUSB0 "));
    ASSERT_TRUE(IniFile::writeString(ini, "Ports", "COM3", "/dev/ttyACM1"));
    EXPECT_EQ(SerialLink::devicePath(2), "/dev/ttyUSB0");
    EXPECT_EQ(SerialLink::devicePath(1), "/dev/ttyS0");
    const QMap<int, QString> overrides{{3, "/tmp/pty-3"}, {7, "/tmp/pty-7"}};
    EXPECT_EQ(SerialLink::devicePath(3, overrides), "/tmp/pty-3");
    EXPECT_EQ(SerialLink::devicePath(7, overrides), "/tmp/pty-7");
    EXPECT_EQ(SerialLink::devicePath(2, overrides), "/dev/ttyUSB0");

    // The search uses the mapping.
    units = {{1, 0x80}};
    controllerPath = "/dev/ttyACM1";
    link->start(1, 3, 1, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->linkConnected == 1; }, 3000));
    EXPECT_EQ(bank.openAttempts(), (QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM1"}));
}
