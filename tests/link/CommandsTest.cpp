// Builders refuse unit numbers and values the line cannot carry.

#include "link/Commands.h"

#include <gtest/gtest.h>

TEST(Commands, OutOfRangeNumbersBuildNoWord)
{
    EXPECT_EQ(Commands::speakerOff(20, 20), (Command{0xFB0014, LinkMode::Speaking}));
    for (int bad : {0, 21, 257}) {
        EXPECT_FALSE(Commands::speakerOn(bad, 20)) << bad;
        EXPECT_FALSE(Commands::forbidUnit(bad, 20)) << bad;
        EXPECT_FALSE(Commands::singleQuery(bad, 20)) << bad;
        EXPECT_FALSE(Commands::confirmSignIn(bad, 20)) << bad;
    }
    EXPECT_FALSE(Commands::speakerOn(250, 300)) << "a unit count above the line's range";
    EXPECT_FALSE(Commands::voteStart(7));
    EXPECT_FALSE(Commands::startNumbering(251));
    EXPECT_FALSE(Commands::speechModeNumber(0x81, 1));
}
