// Builders refuse unit numbers and values the line cannot carry; the words
// themselves are checked on the wire by the sequencer and procedure tests.

#include "link/Commands.h"

#include <gtest/gtest.h>

TEST(Commands, OutOfRangeNumbersBuildNoWord)
{
    const int unitCount = 20;
    EXPECT_EQ(Commands::speakerOff(20, unitCount), (Command{0xFB0014, LinkMode::Speaking}));
    for (int bad : {0, -1, 21, 250, 257}) {
        EXPECT_FALSE(Commands::speakerOn(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::speakerOff(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::forbidUnit(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::untieUnit(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::singleQuery(bad, unitCount)) << bad;
        EXPECT_FALSE(Commands::confirmSignIn(bad, unitCount)) << bad;
    }
    // A unit count above the line's range never lets 250 or more through.
    EXPECT_TRUE(Commands::speakerOn(249, 300));
    EXPECT_FALSE(Commands::speakerOn(250, 300));
    for (int bad : {-1, 7})
        EXPECT_FALSE(Commands::voteStart(bad)) << bad;
    EXPECT_FALSE(Commands::startNumbering(0));
    EXPECT_FALSE(Commands::startNumbering(251));
    EXPECT_FALSE(Commands::speechModeNumber(Commands::kSpeechModeSecond, 256));
    EXPECT_FALSE(Commands::speechModeNumber(0x81, 1));
}
