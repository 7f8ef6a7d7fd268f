// Command builders that compute a word or refuse a value; the fixed words are
// checked on the wire by the sequencer and procedure tests.

#include "link/Commands.h"

#include <gtest/gtest.h>

TEST(Commands, VoteStartKeyMaskByKind)
{
    const quint32 expected[] = {0xF75501, 0xF75501, 0xF75507, 0xF75503, 0xF75505, 0xF75503, 0xF75501};
    for (int kind = 0; kind < Commands::kVoteKinds; ++kind) {
        const auto command = Commands::voteStart(kind);
        ASSERT_TRUE(command.has_value()) << kind;
        EXPECT_EQ(*command, (Command{expected[kind], LinkMode::VoteCommand})) << kind;
    }
    EXPECT_FALSE(Commands::voteStart(-1));
    EXPECT_FALSE(Commands::voteStart(7));
}

TEST(Commands, UnitNumbersAndValuesAreCheckedBeforeAWordIsBuilt)
{
    const int unitCount = 20;
    EXPECT_EQ(Commands::speakerOn(7, unitCount, LinkMode::Camera), (Command{0xFC0007, LinkMode::Camera}));
    EXPECT_EQ(Commands::speakerOff(20, unitCount), (Command{0xFB0014, LinkMode::Speaking}));
    EXPECT_EQ(Commands::untieUnit(3, unitCount), (Command{0xF20803, LinkMode::Speaking}));
    EXPECT_EQ(Commands::singleQuery(5, unitCount), (Command{0xFA0005, LinkMode::SingleQuery}));
    for (int bad : {0, -1, 21, 249, 250, 256, 257}) {
        EXPECT_FALSE(Commands::speakerOn(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::speakerOff(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::forbidUnit(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::untieUnit(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::singleQuery(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::confirmSignIn(bad, unitCount)) << bad;
    }
    // Even a unit count above the line's range never lets 250 or more through.
    EXPECT_TRUE(Commands::speakerOn(249, 300));
    EXPECT_FALSE(Commands::speakerOn(250, 300));

    EXPECT_EQ(Commands::startNumbering(250), (Command{0xF800FA, LinkMode::Numbering}));
    EXPECT_FALSE(Commands::startNumbering(0));
    EXPECT_FALSE(Commands::startNumbering(251));
    EXPECT_EQ(Commands::speechModeNumber(Commands::kSpeechModeThird, 6),
              (Command{0xFE0206, LinkMode::Speaking}));
    EXPECT_FALSE(Commands::speechModeNumber(Commands::kSpeechModeSecond, 0));
    EXPECT_FALSE(Commands::speechModeNumber(Commands::kSpeechModeSecond, 256));
    EXPECT_FALSE(Commands::speechModeNumber(0x81, 1));
}
