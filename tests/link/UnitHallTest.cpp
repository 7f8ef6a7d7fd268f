#include "training/UnitHall.h"
#include "link/Commands.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

quint32 report(quint8 state, int unit)
{
    return 0xF90000u | quint32(state) << 8 | quint32(unit);
}

UnitHall::Action action(const QString& line)
{
    QString error;
    const auto parsed = UnitHall::parse(line, &error);
    EXPECT_TRUE(parsed.has_value()) << line.toStdString() << ": " << error.toStdString();
    return parsed.value_or(UnitHall::Action{});
}

} // namespace

TEST(UnitHall, KeysCountOnlyWhileTheirSignInOrVoteIsOpen)
{
    UnitHall hall(10, 1);
    EXPECT_TRUE(hall.receive(0xFA000B).isEmpty()) << "no such unit";
    hall.apply(action("signin 1-3"));
    hall.apply(action("press 7 1"));
    EXPECT_EQ(hall.keyState(1), 0x80);
    EXPECT_EQ(hall.keyState(7), 0x80);

    hall.receive(Commands::kSignInStart);
    hall.apply(action("signin 1-3,5"));
    EXPECT_EQ(hall.receive(0xFA0002), (QList<quint32>{report(0xC0, 2)}));
    hall.receive(Commands::kSignInEnd);
    hall.apply(action("signin 6"));
    EXPECT_EQ(hall.keyState(6), 0x80);
    EXPECT_EQ(hall.keyState(5), 0xC0);

    hall.receive(0xF75507);
    hall.apply(action("press 8 1 2"));
    hall.apply(action("press 7 1"));
    hall.apply(action("press 7 3")); // a second press replaces the first
    EXPECT_EQ(hall.keyState(7), 0x84);
    EXPECT_EQ(hall.keyState(8), 0x83);
    hall.receive(Commands::kVoteEnd);
    hall.apply(action("press 7 2"));
    EXPECT_EQ(hall.keyState(7), 0x84);
}

TEST(UnitHall, MicrophonesAndTheirEvents)
{
    UnitHall hall(10, 2);
    EXPECT_EQ(hall.receive(0xFC0003), (QList<quint32>{0xE00103}));

    // Forbidding closes an open microphone and keeps it closed until untied.
    EXPECT_EQ(hall.receive(0xF20003), (QList<quint32>{0xE00003}));
    EXPECT_TRUE(hall.receive(0xFC0003).isEmpty());
    hall.receive(0xF20803);
    EXPECT_EQ(hall.keyState(3), 0x80);

    // AllMicsOff leaves the chairmen talking.
    hall.apply(action("mic 1,4,5 on"));
    EXPECT_EQ(hall.receive(Commands::kAllMicsOff), (QList<quint32>{0xE00004, 0xE00005}));
    EXPECT_EQ(hall.openMicCount(), 1);

    // Priority: only a chairman has it; everyone else goes quiet.
    hall.apply(action("mic 6,7 on"));
    EXPECT_TRUE(hall.apply(action("priority 6")).isEmpty());
    EXPECT_EQ(hall.apply(action("priority 2")), (QList<quint32>{0xE00802}));
    EXPECT_EQ(hall.openMicCount(), 2);
    EXPECT_TRUE(hall.unit(1).micOpen && hall.unit(2).micOpen);
}

TEST(UnitHall, SpeakingModesLimitOrReplaceTheDelegatesSpeaking)
{
    UnitHall hall(10, 1);
    // Free discussion: any number of delegates.
    hall.apply(action("mic 2-6 on"));
    EXPECT_EQ(hall.openMicCount(), 5);

    // A limit of one: choosing it closes every microphone; a second request is refused,
    // while the chairman speaks outside the count.
    hall.receive(0xFE0401);
    EXPECT_EQ(hall.speakingMode(), UnitHall::SpeakingMode::Limited);
    EXPECT_EQ(hall.openMicCount(), 0);
    EXPECT_EQ(hall.apply(action("mic 3 on")), (QList<quint32>{0xE00103}));
    EXPECT_TRUE(hall.apply(action("mic 4 on")).isEmpty());
    EXPECT_TRUE(hall.receive(0xFC0005).isEmpty());
    EXPECT_EQ(hall.apply(action("mic 1 on")), (QList<quint32>{0xE00101}));
    EXPECT_EQ(hall.openMicCount(), 2);

    // First come, first served with two: the third request closes the oldest.
    hall.receive(0xFE0202);
    hall.apply(action("mic 3 on"));
    hall.apply(action("mic 4 on"));
    EXPECT_EQ(hall.apply(action("mic 5 on")), (QList<quint32>{0xE00003, 0xE00105}));
    EXPECT_TRUE(hall.unit(4).micOpen && hall.unit(5).micOpen && !hall.unit(3).micOpen);

    hall.receive(Commands::kSpeechModeFirst);
    hall.apply(action("mic 2-8 on"));
    EXPECT_EQ(hall.openMicCount(), 7);
}

TEST(UnitHall, ScriptLines)
{
    const UnitHall::Action press = action("press 8 1 2 # with a comment");
    EXPECT_EQ(press.units, (QList<int>{8}));
    EXPECT_EQ(press.keys, (QList<int>{1, 2}));
    EXPECT_EQ(action("signin 1-3,7").units, (QList<int>{1, 2, 3, 7}));

    for (const char* bad : {"dance 3", "signin", "signin 0", "signin 5-2", "signin 1-250", "signin x",
                            "press 7 6", "press 7 0", "press 7 a", "mic 3", "mic 3 maybe"}) {
        QString error;
        EXPECT_FALSE(UnitHall::parse(QString::fromLatin1(bad), &error).has_value()) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }

    QFile file(QStringLiteral(UNITSIM_EXAMPLES "/meeting.script"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        action(line); // the shipped example parses
}
