// What an answer does to the unit records, mode by mode.

#include "LinkHallFixture.h"

namespace {

std::vector<int> fields(const UnitRecord& r)
{
    return {r.micOn, r.online, r.forbidden, r.signedIn, r.voteKeys};
}

// The sequencer is not started: answers are handed to the link directly.
class LinkDispatcher : public LinkHallTest
{
protected:
    void SetUp() override
    {
        LinkHallTest::SetUp();
        link->unitCount = 10;
        link->chairCount = 2;
    }
    void receive(quint32 word) { link->onUnitBytes(FrameCodec::encode(word)); }
    // Every field of every record, for "nothing changed" checks.
    std::vector<int> snapshot() const
    {
        std::vector<int> out;
        for (int n = 1; n <= Link::kUnitRecords; ++n) {
            const std::vector<int> f = fields(link->unit(n));
            out.insert(out.end(), f.begin(), f.end());
        }
        return out;
    }
};

} // namespace

TEST_F(LinkDispatcher, KeyReportsFillOnlyTheFieldsOfTheModeAndMicEventsCountInEveryMode)
{
    // F9 A0 05: mic free and open; F9 5F 05: every other bit.
    struct Case
    {
        int mode;
        UnitRecord afterFirst; // micOn, online, forbidden, signedIn, voteKeys
        UnitRecord afterSecond;
    };
    std::vector<Case> cases = {
        {LinkMode::StartupPoll, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}},
        {LinkMode::SingleQuery, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}},
        {LinkMode::CollectSignIn, {1, 0, 0, 0, 0}, {0, 0, 0, 1, 0}},
        {LinkMode::CollectVotes, {1, 0, 0, 0, 0}, {0, 0, 0, 0, 0x1F}},
    };
    for (int mode :
         {int(LinkMode::Search), int(LinkMode::Speaking), int(LinkMode::Idle), int(LinkMode::VoteEnd), 17})
        cases.push_back({mode, {}, {}});
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
    // In the search only unit 1's key report answers the probe.
    link->operatingMode = LinkMode::Search;
    EXPECT_FALSE(link->controllerFound());
    receive(0xF90001);
    EXPECT_TRUE(link->controllerFound());
}

TEST_F(LinkDispatcher, MicEventCodesAndPriority)
{
    link->operatingMode = LinkMode::Idle;
    // {code, before, after}: 3 and 47 leave the microphone as it was.
    const int cases[][3] = {{0, 1, 0},  {1, 0, 1}, {2, 0, 1}, {4, 1, 0},
                            {48, 1, 0}, {3, 0, 0}, {3, 1, 1}, {47, 1, 1}};
    for (const auto& c : cases) {
        link->unit(6).micOn = c[1];
        receive(0xE00006u | quint32(c[0]) << 8);
        EXPECT_EQ(link->unit(6).micOn, c[2]) << c[0];
    }

    // Priority keeps the chairmen (1, 2), opens the caller, closes the rest in use.
    for (int n = 1; n <= 12; ++n)
        link->unit(n).micOn = 1;
    receive(0xE00805);
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(link->unit(n).micOn, (n <= 2 || n == 5 || n > 10) ? 1 : 0) << n;
}

TEST_F(LinkDispatcher, UnitsOutsideTheLineAndUnknownCodesChangeNothing)
{
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
    EXPECT_EQ(snapshot(), std::vector<int>(5 * Link::kUnitRecords, 0));

    for (int n = 1; n <= Link::kUnitRecords; ++n)
        link->unit(n) = {1, 1, 1, 1, 0x1F};
    EXPECT_EQ(link->onlineCount(), 10); // units 1..unitCount only
    link->clearSignedIn();
    link->clearVoteKeys();
    link->clearMics(3, 10);
    EXPECT_EQ(fields(link->unit(10)), (std::vector<int>{0, 1, 1, 0, 0}));
    EXPECT_EQ(fields(link->unit(11)), (std::vector<int>{1, 1, 1, 1, 0x1F})) << "beyond unitCount";
    EXPECT_EQ(link->unit(2).micOn, 1);
    link->clearMics(-5, 400); // out-of-range bounds are clipped, not trusted
    EXPECT_EQ(link->unit(250).micOn, 0);
    link->clearOnline(); // all 250 records, not only those in use
    EXPECT_EQ(link->unit(250).online, 0);
}
