// What an answer does to the unit records, mode by mode.

#include "LinkHallFixture.h"
#include "link/LinkTestSeam.h"

namespace {

std::vector<int> fields(const UnitRecord& r)
{
    return {r.micOn, r.online, r.forbidden, r.signedIn, r.voteKeys};
}

// The sequencer is not started: a step is run by hand to send a poll, and
// answers are handed to the link directly.
class LinkDispatcher : public LinkHallTest
{
protected:
    void SetUp() override
    {
        LinkHallTest::SetUp();
        link->setUnitCount(10);
        link->setChairCount(2);
    }
    void receive(quint32 word) { link->onUnitBytes(FrameCodec::encode(word)); }
    void poll(int unit)
    {
        link->request(LinkMode::SingleQuery, Commands::pollWord(unit));
        link->sequencerStep();
    }
};

} // namespace

TEST_F(LinkDispatcher, KeyReportsFillOnlyTheFieldsOfTheModeAndMicEventsCountInEveryMode)
{
    // F9 A0 05: mic free and open; F9 5F 05: every other bit. Any answer marks the unit online.
    struct Case
    {
        int mode;
        UnitRecord afterFirst; // micOn, online, forbidden, signedIn, voteKeys
        UnitRecord afterSecond;
    };
    const Case cases[] = {
        {LinkMode::StartupPoll, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}},
        {LinkMode::CollectSignIn, {1, 1, 0, 0, 0}, {0, 1, 0, 1, 0}},
        {LinkMode::CollectVotes, {1, 1, 0, 0, 0}, {0, 1, 0, 0, 0x1F}},
        {LinkMode::Idle, {0, 1, 0, 0, 0}, {0, 1, 0, 0, 0}},
        {17, {0, 1, 0, 0, 0}, {0, 1, 0, 0, 0}},
    };
    poll(5);
    for (const Case& c : cases) {
        LinkTestSeam::setOperatingMode(*link, c.mode);
        LinkTestSeam::unit(*link, 5) = {};
        receive(0xF9A005);
        EXPECT_EQ(fields(link->unit(5)), fields(c.afterFirst)) << c.mode;
        receive(0xF95F05);
        EXPECT_EQ(fields(link->unit(5)), fields(c.afterSecond)) << c.mode;
        receive(0xE00105);
        EXPECT_TRUE(link->unit(5).micOn) << c.mode;
    }
}

// Noise can pass the one-byte checksum; a report naming a unit that was not
// polled lately must not put a key press on it.
TEST_F(LinkDispatcher, KeyReportsCountOnlyFromTheUnitsOfTheLastTwoPolls)
{
    poll(5);
    poll(6);
    LinkTestSeam::setOperatingMode(*link, LinkMode::CollectVotes);
    for (int n : {4, 5, 6, 7})
        receive(0xF90100u | quint32(n));
    EXPECT_EQ(link->unit(4).voteKeys, 0);
    EXPECT_EQ(link->unit(5).voteKeys, 1) << "answered just after the next poll went";
    EXPECT_EQ(link->unit(6).voteKeys, 1);
    EXPECT_EQ(link->unit(7).voteKeys, 0);
    poll(7);
    receive(0xF90205);
    EXPECT_EQ(link->unit(5).voteKeys, 1) << "two polls ago";
}

TEST_F(LinkDispatcher, MicEventCodesPriorityAndUnitsOutsideTheLine)
{
    LinkTestSeam::setOperatingMode(*link, LinkMode::Idle);
    // {code, before, after}: 3 and 47 leave the microphone as it was.
    const int cases[][3] = {{0, 1, 0}, {2, 0, 1}, {4, 1, 0}, {48, 1, 0}, {3, 0, 0}, {47, 1, 1}};
    for (const auto& c : cases) {
        LinkTestSeam::unit(*link, 6).micOn = c[1];
        receive(0xE00006u | quint32(c[0]) << 8);
        EXPECT_EQ(link->unit(6).micOn, c[2]) << c[0];
    }
    // Priority keeps the chairmen (1, 2), opens the caller, closes the rest in use.
    for (int n = 1; n <= 12; ++n)
        LinkTestSeam::unit(*link, n).micOn = true;
    receive(0xE00805);
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(link->unit(n).micOn, (n <= 2 || n == 5 || n > 10) ? 1 : 0) << n;

    LinkTestSeam::setOperatingMode(*link, LinkMode::StartupPoll);
    for (quint32 word : {0xE03100u, 0xF9A000u, 0xF9A0FAu, 0xF9A0FFu, 0xE001FAu})
        receive(word);
    link->setOnline(0, true); // numbers outside 1..250 change nothing
    link->setOnline(251, true);
    link->clearMics(-5, 400);
    for (int n = 1; n <= Link::kUnitRecords; ++n)
        ASSERT_EQ(fields(link->unit(n)), (std::vector<int>{0, 0, 0, 0, 0})) << n;
}
