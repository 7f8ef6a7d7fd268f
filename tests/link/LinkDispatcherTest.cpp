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

TEST_F(LinkDispatcher, KeyReportsFillOnlyTheFieldsOfTheModeAndMicEventsCountInEveryMode)
{
    // Two reports in every mode: F9 A0 05 (mic free and open), F9 5F 05 (all other bits).
    struct Case
    {
        int mode;
        UnitRecord afterFirst;
        UnitRecord afterSecond;
    };
    // Fields: micOn, online, forbidden, signedIn, voteKeys.
    std::vector<Case> cases = {
        {LinkMode::StartupPoll, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}},
        {LinkMode::LinePoll, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}},
        {LinkMode::SingleQuery, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}},
        {LinkMode::CollectSignIn, {1, 0, 0, 0, 0}, {0, 0, 0, 1, 0}},
        {LinkMode::SignInPoll, {1, 0, 0, 0, 0}, {0, 0, 0, 1, 0}},
        {LinkMode::VotePoll, {1, 0, 0, 0, 0}, {0, 0, 0, 0, 0x1F}},
        {LinkMode::CollectVotes, {1, 0, 0, 0, 0}, {0, 0, 0, 0, 0x1F}},
    };
    for (int mode : {int(LinkMode::Search), int(LinkMode::Camera), int(LinkMode::Speaking),
                     int(LinkMode::Plain), 9, int(LinkMode::VoteCommand), int(LinkMode::Idle),
                     int(LinkMode::VoteEnd), int(LinkMode::Numbering), 0, 17})
        cases.push_back({mode, {}, {}});
    auto fields = [](const UnitRecord& r) {
        return std::vector<int>{r.micOn, r.online, r.forbidden, r.signedIn, r.voteKeys};
    };
    for (const Case& c : cases) {
        link->operatingMode = c.mode;
        link->unit(5) = {};
        receive(0xF9A005);
        EXPECT_EQ(fields(link->unit(5)), fields(c.afterFirst)) << c.mode;
        receive(0xF95F05);
        EXPECT_EQ(fields(link->unit(5)), fields(c.afterSecond)) << c.mode;
        receive(0xE00105);
        EXPECT_EQ(link->unit(5).micOn, 1) << c.mode;
    }
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

TEST_F(LinkDispatcher, UnitsOutsideTheLineAndUnknownCodesChangeNothing)
{
    // Bad checksums, stray bytes and foreign classes never reach here (FrameDecoder).
    link->operatingMode = LinkMode::LinePoll;
    link->unit(5).micOn = 1;
    const auto before = snapshot();
    for (quint32 word : {0xE03105u, 0xE0FF05u, 0xF9A000u, 0xF9A0FAu, 0xF9A0FFu, 0xE001FAu, 0xE00000u})
        receive(word);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(LinkDispatcher, TableHelpersKeepToTheirUnits)
{
    // Numbers outside 1..250 give a scratch record that never reaches a real unit.
    link->unit(0).online = 1;
    link->unit(251).micOn = 1;
    EXPECT_EQ(link->unit(0).online, 0);
    EXPECT_EQ(link->unit(251).micOn, 0);
    EXPECT_EQ(snapshot(), std::vector<int>(5 * Link::kUnitRecords, 0));

    for (int n = 1; n <= Link::kUnitRecords; ++n)
        link->unit(n) = {1, 1, 1, 1, 0x1F};
    EXPECT_EQ(link->onlineCount(), 10); // units 1..unitCount only
    link->clearSignedIn();
    link->clearVoteKeys();
    link->clearMics(3, 10);
    EXPECT_EQ(link->unit(10).signedIn, 0);
    EXPECT_EQ(link->unit(10).voteKeys, 0);
    EXPECT_EQ(link->unit(11).signedIn, 1); // beyond unitCount
    EXPECT_EQ(link->unit(11).voteKeys, 0x1F);
    EXPECT_EQ(link->unit(2).micOn, 1);
    EXPECT_EQ(link->unit(3).micOn, 0);
    EXPECT_EQ(link->unit(11).micOn, 1);
    EXPECT_EQ(link->unit(10).online, 1);
    link->clearMics(-5, 400); // out-of-range bounds are clipped, not trusted
    EXPECT_EQ(link->unit(250).micOn, 0);
    link->clearOnline(); // all 250 records, not only those in use
    EXPECT_EQ(link->unit(250).online, 0);
}
