// The sequencer against the simulated hall in virtual time, step by step.

#include "LinkHallFixture.h"
#include "QtPrinters.h"

#include <QSignalSpy>

namespace {

constexpr int kPace = LinkTiming::kFastPaceMs;

class LinkSequencer : public LinkHallTest
{
protected:
    // Words sent by the next `count` steps, one per step (0: nothing sent).
    QList<quint32> steps(int count)
    {
        QList<quint32> out;
        for (int i = 0; i < count; ++i) {
            const qsizetype before = bank.sent().size();
            clock.advance(kPace);
            EXPECT_LE(bank.sent().size() - before, 1) << "more than one frame in one step";
            out.append(bank.sent().size() > before ? bank.sent().last().word : 0u);
        }
        return out;
    }
};

} // namespace

TEST_F(LinkSequencer, StartupLastRequestWinsAndTheClosingCycle)
{
    const auto ttyS = [](int port) { return QStringLiteral("/dev/ttyS%1").arg(port - 1); };
    hall.setControllerPath(ttyS(3));
    hall.setAnswering({{1, 0xC0}, {2, 0xA0}, {3, 0x00}});
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    link->start(1, 5, 3, 1);
    clock.advance(3000);
    EXPECT_EQ(bank.openAttempts(), (QStringList{ttyS(1), ttyS(2), ttyS(3)}));
    EXPECT_EQ(bank.sentWords(ttyS(3)), (QList<quint32>{Commands::kProbe, Commands::kControlBegin, 0xFA0001,
                                                       0xFA0002, 0xFA0003, Commands::kControlEnd}));
    EXPECT_EQ(bank.openPipe(ttyS(1)), nullptr) << "ports left behind by the search are closed";
    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    ASSERT_EQ(sent.size(), 8);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(sent[i].time - sent[i - 1].time, 3 * kPace) << "one probe every third step";
    EXPECT_GE(sent[4].time - sent[3].time, LinkTiming::kStartupPollDelayMs);
    EXPECT_LE(sent[4].time - sent[3].time, LinkTiming::kStartupPollDelayMs + kPace);
    EXPECT_EQ(sent[6].time - sent[5].time, kPace);
    EXPECT_GE(sent[7].time - sent[6].time, kPace + LinkTiming::kStartupControlEndDelayMs);
    EXPECT_LE(sent[7].time - sent[6].time, 2 * kPace + LinkTiming::kStartupControlEndDelayMs);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_TRUE(link->unit(2).micOn);

    bank.clearSent();
    clock.advance(1000);
    link->request(Commands::signInStart());
    link->request(*Commands::confirmSignIn(2, 3));
    EXPECT_EQ(steps(2), (QList<quint32>{0xF30002, 0})) << "the last request before a step wins";

    QSignalSpy ended(link.get(), &Link::signInCycleFinished);
    link->request(LinkMode::SignInPoll);
    EXPECT_EQ(steps(8), (QList<quint32>{0xFA0001, 0xFA0002, 0xFA0003, 0, 0xFA0001, 0xFA0002, 0xFA0003, 0}));
    hall.unit(2).signInKey = true;
    link->request(Commands::signInEnd());
    EXPECT_EQ(steps(1), (QList<quint32>{Commands::kSignInEnd}));
    const QList<quint32> closing = steps(LinkTiming::kClosingCycleDelayMs / kPace + 5);
    EXPECT_EQ(closing.size() - closing.count(0), 3) << "one closing cycle";
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(link->signInCycleActive());
    EXPECT_TRUE(link->unit(2).signedIn);
    EXPECT_TRUE(link->unit(1).signedIn);

    link->stop();
    link->request(LinkMode::LinePoll);
    EXPECT_EQ(steps(3), (QList<quint32>{0, 0, 0})) << "a stopped link sends nothing";
}

TEST_F(LinkSequencer, CameraAndSpeakingWordsQueueAndGoOutOnePerStepInOrder)
{
    ASSERT_TRUE(connectLink(3));
    const Command left = Commands::camera(0x9E);
    const Command stop = Commands::camera(0xCF);
    // A quick click: press and release before the next step.
    link->request(left);
    link->request(stop);
    link->request(*Commands::speakerOn(2, 3));
    EXPECT_EQ(link->operatingMode(), LinkMode::Speaking) << "the newest mode governs the dispatcher at once";
    QList<int> modes;
    QObject::connect(link.get(), &Link::frameSent, [&] { modes.append(link->operatingMode()); });
    EXPECT_EQ(steps(4), (QList<quint32>{0xE69E55, 0xE6CF55, 0xFC0002, 0}));
    EXPECT_EQ(modes, (QList<int>{LinkMode::Camera, LinkMode::Camera, LinkMode::Speaking}));

    // A long burst keeps its newest words: the stop still goes out last.
    for (int i = 0; i < Link::kQueuedWords + 3; ++i)
        link->request(left);
    link->request(stop);
    EXPECT_EQ(steps(Link::kQueuedWords + 1).mid(Link::kQueuedWords - 2),
              (QList<quint32>{left.word, stop.word, 0}));

    // Any other mode replaces what waits, as its single mailbox always did.
    link->request(left);
    link->request(stop);
    link->request(*Commands::singleQuery(3, 3));
    EXPECT_EQ(steps(3), (QList<quint32>{0xFA0003, 0, 0}));
}
