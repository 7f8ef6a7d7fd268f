#include "link/Commands.h"
#include "link/FrameCodec.h"

#include <gtest/gtest.h>

TEST(Commands, FixedWordsAndTheirModes)
{
    EXPECT_EQ(Commands::controlBegin(), (Command{0xF0010F, LinkMode::Plain}));
    EXPECT_EQ(Commands::controlBegin(LinkMode::VoteCommand), (Command{0xF0010F, LinkMode::VoteCommand}));
    EXPECT_EQ(Commands::controlEnd(LinkMode::VoteEnd), (Command{0xF00120, LinkMode::VoteEnd}));
    EXPECT_EQ(Commands::signInStart(), (Command{0xF40102, LinkMode::Plain}));
    EXPECT_EQ(Commands::supplementSignInStart(), (Command{0xF40104, LinkMode::Plain}));
    EXPECT_EQ(Commands::signInEnd(), (Command{0xF40105, LinkMode::CollectSignIn}));
    EXPECT_EQ(Commands::voteEnd(), (Command{0xF75508, LinkMode::CollectVotes}));
    EXPECT_EQ(Commands::allMicsOff(), (Command{0xFBFFFF, LinkMode::Speaking}));
    EXPECT_EQ(Commands::speechModeFirst(), (Command{0xFE8103, LinkMode::Speaking}));
    EXPECT_EQ(Commands::camera(0x12), (Command{0xE61255, LinkMode::Camera}));
    EXPECT_EQ(FrameCodec::encode(Commands::allMicsOff().word), QByteArray::fromHex("FBFFFF06"));
    EXPECT_EQ(FrameCodec::encode(Commands::speechModeFirst().word), QByteArray::fromHex("FE81037D"));
}

TEST(Commands, VoteStartKeyMaskByKind)
{
    const quint32 expected[] = {0xF75501, 0xF75501, 0xF75507, 0xF75503, 0xF75505, 0xF75503, 0xF75501};
    for (int kind = 0; kind < 7; ++kind) {
        const auto command = Commands::voteStart(kind);
        ASSERT_TRUE(command.has_value()) << kind;
        EXPECT_EQ(command->word, expected[kind]) << kind;
        EXPECT_EQ(command->mode, LinkMode::VoteCommand);
    }
    EXPECT_EQ(FrameCodec::encode(Commands::voteStart(2)->word), QByteArray::fromHex("F75507AC"));
    EXPECT_EQ(FrameCodec::encode(Commands::voteStart(4)->word), QByteArray::fromHex("F75505AE"));
    EXPECT_FALSE(Commands::voteStart(-1));
    EXPECT_FALSE(Commands::voteStart(7));
}

TEST(Commands, UnitCommandsCheckTheRange)
{
    const int unitCount = 20;
    EXPECT_EQ(Commands::speakerOn(7, unitCount), (Command{0xFC0007, LinkMode::Speaking}));
    EXPECT_EQ(Commands::speakerOn(7, unitCount, LinkMode::Camera), (Command{0xFC0007, LinkMode::Camera}));
    EXPECT_EQ(Commands::speakerOff(20, unitCount), (Command{0xFB0014, LinkMode::Speaking}));
    EXPECT_EQ(Commands::forbidUnit(3, unitCount), (Command{0xF20003, LinkMode::Speaking}));
    EXPECT_EQ(Commands::untieUnit(3, unitCount), (Command{0xF20803, LinkMode::Speaking}));
    EXPECT_EQ(Commands::singleQuery(5, unitCount), (Command{0xFA0005, LinkMode::SingleQuery}));
    EXPECT_EQ(Commands::confirmSignIn(5, unitCount), (Command{0xF30005, LinkMode::Plain}));
    EXPECT_EQ(FrameCodec::encode(Commands::confirmSignIn(5, unitCount)->word),
              QByteArray::fromHex("F3000507"));

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
}

TEST(Commands, NumberingStartsFrom1To250)
{
    EXPECT_EQ(Commands::startNumbering(1), (Command{0xF80001, LinkMode::Numbering}));
    EXPECT_EQ(FrameCodec::encode(Commands::startNumbering(1)->word), QByteArray::fromHex("F8000106"));
    EXPECT_EQ(Commands::startNumbering(250)->word, 0xF800FAu);
    EXPECT_FALSE(Commands::startNumbering(0));
    EXPECT_FALSE(Commands::startNumbering(251));
}

TEST(Commands, SpeechModeWithNumber)
{
    EXPECT_EQ(Commands::speechModeNumber(Commands::kSpeechModeSecond, 1),
              (Command{0xFE0401, LinkMode::Speaking}));
    EXPECT_EQ(Commands::speechModeNumber(Commands::kSpeechModeThird, 6),
              (Command{0xFE0206, LinkMode::Speaking}));
    EXPECT_FALSE(Commands::speechModeNumber(Commands::kSpeechModeSecond, 0));
    EXPECT_FALSE(Commands::speechModeNumber(Commands::kSpeechModeSecond, 256));
    EXPECT_FALSE(Commands::speechModeNumber(0x81, 1));
}

TEST(Commands, NamesForTheFrameLog)
{
    EXPECT_EQ(Commands::name(0xFA0007), "PollUnit");
    EXPECT_EQ(Commands::name(0xF0010F), "ControlBegin");
    EXPECT_EQ(Commands::name(0xF00120), "ControlEnd");
    EXPECT_EQ(Commands::name(0xF75503), "VoteStart");
    EXPECT_EQ(Commands::name(0xF75508), "VoteEnd");
    EXPECT_EQ(Commands::name(0xF20803), "UntieUnit");
    EXPECT_EQ(Commands::name(0x010203), "");
}
