#include "link/FrameCodec.h"
#include "link/Link.h"
#include "support/MemoryPipe.h"

#include "core/TimerService.h"
#include "support/VirtualTimerService.h"

#include <gtest/gtest.h>

namespace {

class LinkDispatcher : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installTimers(&clock);
        link = std::make_unique<Link>(bank.factory());
        link->unitCount = 10;
        link->chairCount = 2;
    }
    void TearDown() override
    {
        link.reset();
        installTimers(nullptr);
    }
    void receive(quint32 word) { link->onUnitBytes(FrameCodec::encode(word)); }
    // Every field of every record, for "nothing changed" checks.
    std::vector<int> snapshot() const
    {
        std::vector<int> out;
        for (int n = 1; n <= Link::kUnitRecords; ++n) {
            const UnitRecord& r = link->unit(n);
            out.insert(out.end(), {r.micOn, r.online, r.forbidden, r.signedIn, r.voteKeys});
        }
        return out;
    }

    VirtualTimerService clock;
    MemoryPortBank bank;
    std::unique_ptr<Link> link;
};

} // namespace

TEST_F(LinkDispatcher, SearchModeRecognisesOnlyUnitOne)
{
    link->operatingMode = LinkMode::Search;
    receive(0xF90002);
    EXPECT_FALSE(link->controllerFound());
    receive(0xE00101); // a mic event is not an answer to the probe
    EXPECT_FALSE(link->controllerFound());
    receive(0xF90001);
    EXPECT_TRUE(link->controllerFound());
    // In the search the key report touches no record.
    EXPECT_EQ(link->unit(1).online, 0);
}

TEST_F(LinkDispatcher, PollModesSetOnlineMicAndForbidden)
{
    for (int mode : {LinkMode::StartupPoll, LinkMode::LinePoll, LinkMode::SingleQuery}) {
        link->operatingMode = mode;
        link->unit(5) = {};
        receive(0xF9A005);
        EXPECT_EQ(link->unit(5).online, 1) << mode;
        EXPECT_EQ(link->unit(5).micOn, 1) << mode;
        EXPECT_EQ(link->unit(5).forbidden, 0) << mode;
        receive(0xF90005);
        EXPECT_EQ(link->unit(5).online, 1) << mode;
        EXPECT_EQ(link->unit(5).micOn, 0) << mode;
        EXPECT_EQ(link->unit(5).forbidden, 1) << mode;
        // Sign-in and vote bits are not this mode's business.
        receive(0xF9DF05);
        EXPECT_EQ(link->unit(5).signedIn, 0) << mode;
        EXPECT_EQ(link->unit(5).voteKeys, 0) << mode;
    }
}

TEST_F(LinkDispatcher, SignInModesSetSignedInAndMic)
{
    for (int mode : {LinkMode::CollectSignIn, LinkMode::SignInPoll}) {
        link->operatingMode = mode;
        receive(0xF96004);
        EXPECT_EQ(link->unit(4).signedIn, 1) << mode;
        EXPECT_EQ(link->unit(4).micOn, 1) << mode;
        EXPECT_EQ(link->unit(4).online, 0) << mode;
        EXPECT_EQ(link->unit(4).forbidden, 0) << mode;
        receive(0xF99F04);
        EXPECT_EQ(link->unit(4).signedIn, 0) << mode;
        EXPECT_EQ(link->unit(4).micOn, 0) << mode;
        EXPECT_EQ(link->unit(4).voteKeys, 0) << mode;
    }
}

TEST_F(LinkDispatcher, VoteModesSetVoteKeysAndMic)
{
    for (int mode : {LinkMode::VotePoll, LinkMode::CollectVotes}) {
        link->operatingMode = mode;
        receive(0xF93307);
        EXPECT_EQ(link->unit(7).voteKeys, 0x13) << mode;
        EXPECT_EQ(link->unit(7).micOn, 1) << mode;
        receive(0xF9C007);
        EXPECT_EQ(link->unit(7).voteKeys, 0) << mode;
        EXPECT_EQ(link->unit(7).micOn, 0) << mode;
        EXPECT_EQ(link->unit(7).signedIn, 0) << mode;
        EXPECT_EQ(link->unit(7).online, 0) << mode;
    }
}

TEST_F(LinkDispatcher, CommandModesIgnoreKeyReportsButNotMicEvents)
{
    for (int mode : std::initializer_list<int>{LinkMode::Camera, LinkMode::Speaking, LinkMode::Plain, 9,
                                               LinkMode::VoteCommand, LinkMode::Idle, LinkMode::VoteEnd,
                                               LinkMode::Numbering, 0, 17}) {
        link->operatingMode = mode;
        link->unit(9).micOn = 0;
        const auto before = snapshot();
        receive(0xF9FF09);
        EXPECT_EQ(snapshot(), before) << mode;
        receive(0xE00109);
        EXPECT_EQ(link->unit(9).micOn, 1) << mode;
    }
    // Mic events count in the search too.
    link->operatingMode = LinkMode::Search;
    receive(0xE00009);
    EXPECT_EQ(link->unit(9).micOn, 0);
}

TEST_F(LinkDispatcher, MicEventCodes)
{
    link->operatingMode = LinkMode::Idle;
    struct Case
    {
        quint8 code;
        int before;
        int after;
    };
    const Case cases[] = {{0, 1, 0}, {1, 0, 1}, {2, 0, 1},  {4, 1, 0}, {48, 1, 0},
                          {3, 0, 0}, {3, 1, 1}, {47, 1, 1}, {5, 0, 0}};
    for (const Case& c : cases) {
        link->unit(6).micOn = c.before;
        receive(0xE00006u | quint32(c.code) << 8);
        EXPECT_EQ(link->unit(6).micOn, c.after) << int(c.code);
    }
}

TEST_F(LinkDispatcher, PriorityKeepsChairmenAndOpensTheCaller)
{
    link->operatingMode = LinkMode::Idle;
    for (int n = 1; n <= 12; ++n)
        link->unit(n).micOn = 1;
    receive(0xE00805);
    EXPECT_EQ(link->unit(1).micOn, 1);
    EXPECT_EQ(link->unit(2).micOn, 1);
    for (int n = 3; n <= 10; ++n)
        EXPECT_EQ(link->unit(n).micOn, n == 5 ? 1 : 0) << n;
    // Units beyond unitCount are not in use and left alone.
    EXPECT_EQ(link->unit(11).micOn, 1);
    EXPECT_EQ(link->unit(12).micOn, 1);
}

TEST_F(LinkDispatcher, BadInputChangesNothing)
{
    link->operatingMode = LinkMode::LinePoll;
    link->unit(5).micOn = 1;
    const auto before = snapshot();
    QByteArray bad = FrameCodec::encode(0xF9A005);
    bad[3] = char(quint8(bad[3]) - 1);
    link->onUnitBytes(bad);
    receive(0xE00305);                            // unknown mic code
    receive(0xE03105);                            // code above 48
    receive(0xE0FF05);                            // code above 48
    receive(0xF9A000);                            // unit 0
    receive(0xF9A0FA);                            // unit 250
    receive(0xF9A0FF);                            // unit 255
    receive(0xE001FA);                            // mic event for unit 250
    receive(0xE00000);                            // mic event for unit 0
    receive(0xFA0005);                            // our own poll echoed
    receive(0xF3A005);                            // a foreign class
    link->onUnitBytes(QByteArray(3, char(0xF9))); // a partial frame
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(link->controllerFound());

    // The frame after all that noise is still understood.
    link->onUnitBytes(QByteArray::fromHex("1234") + FrameCodec::encode(0xF9A008));
    EXPECT_EQ(link->unit(8).online, 1);
}

TEST_F(LinkDispatcher, UnitTableOutOfRangeIsAScratchRecord)
{
    link->unit(0).online = 1;
    link->unit(251).micOn = 1;
    link->unit(-3).voteKeys = 7;
    EXPECT_EQ(link->unit(0).online, 0);
    EXPECT_EQ(link->unit(251).micOn, 0);
    for (int n = 1; n <= Link::kUnitRecords; ++n) {
        EXPECT_EQ(link->unit(n).online, 0);
        EXPECT_EQ(link->unit(n).micOn, 0);
    }
    link->unit(250).online = 1; // record 250 exists, though no frame can address it
    EXPECT_EQ(link->unit(250).online, 1);
}

TEST_F(LinkDispatcher, OnlineCountAndClear)
{
    for (int n : {1, 3, 10, 11, 250})
        link->unit(n).online = 1;
    EXPECT_EQ(link->onlineCount(), 3); // units 1..unitCount only
    link->clearOnline();
    EXPECT_EQ(link->onlineCount(), 0);
    EXPECT_EQ(link->unit(250).online, 0);
    EXPECT_EQ(link->unit(11).online, 0);
}

TEST_F(LinkDispatcher, ClearHelpersKeepToTheirUnits)
{
    for (int n = 1; n <= Link::kUnitRecords; ++n)
        link->unit(n) = {1, 1, 1, 1, 0x1F};
    link->clearSignedIn();
    link->clearVoteKeys();
    EXPECT_EQ(link->unit(1).signedIn, 0);
    EXPECT_EQ(link->unit(10).voteKeys, 0);
    EXPECT_EQ(link->unit(11).signedIn, 1); // beyond unitCount
    EXPECT_EQ(link->unit(11).voteKeys, 0x1F);
    EXPECT_EQ(link->unit(10).micOn, 1);
    EXPECT_EQ(link->unit(10).online, 1);

    link->clearMics(3, 10);
    EXPECT_EQ(link->unit(2).micOn, 1);
    EXPECT_EQ(link->unit(3).micOn, 0);
    EXPECT_EQ(link->unit(10).micOn, 0);
    EXPECT_EQ(link->unit(11).micOn, 1);
    link->clearMics(-5, 400); // out-of-range bounds are clipped, not trusted
    EXPECT_EQ(link->unit(1).micOn, 0);
    EXPECT_EQ(link->unit(250).micOn, 0);
}
