#include "unitsim/UnitHall.h"
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

TEST(UnitHall, AnswersPollsOfPresentUnitsOnly)
{
    UnitHall hall(5, 1);
    EXPECT_EQ(hall.receive(0xFA0005), (QList<quint32>{report(0x80, 5)}));
    for (quint32 word : {0xFA0000u, 0xFA0006u, 0xFA0102u, 0xFC0009u, 0xF20009u})
        EXPECT_TRUE(hall.receive(word).isEmpty()) << std::hex << word; // no such unit, or not a poll
    hall.apply(action("offline 2-3"));
    EXPECT_TRUE(hall.receive(0xFA0002).isEmpty());
    hall.apply(action("online 3"));
    EXPECT_EQ(hall.receive(0xFA0003).size(), 1);
}

TEST(UnitHall, SignInKeyCountsOnlyWhileSignInIsOpen)
{
    UnitHall hall(6, 1);
    hall.apply(action("signin 1-3"));
    EXPECT_EQ(hall.keyState(1), 0x80);

    hall.receive(Commands::kSignInStart);
    hall.apply(action("signin 1-3,5"));
    EXPECT_EQ(hall.receive(0xFA0002), (QList<quint32>{report(0xC0, 2)}));
    EXPECT_EQ(hall.keyState(4), 0x80);
    EXPECT_EQ(hall.keyState(5), 0xC0);

    hall.receive(Commands::kSignInEnd);
    hall.apply(action("signin 6"));
    EXPECT_EQ(hall.keyState(6), 0x80);
    EXPECT_EQ(hall.keyState(5), 0xC0); // kept for the closing cycle
    hall.receive(0xF30006);            // ConfirmSignIn of a manual sign-in
    EXPECT_EQ(hall.keyState(6), 0xC0);

    // A supplementary sign-in keeps who is in; a new sign-in starts from nobody.
    hall.receive(Commands::kSupplementSignInStart);
    hall.apply(action("signin 4"));
    EXPECT_EQ(hall.keyState(1), 0xC0);
    EXPECT_EQ(hall.keyState(4), 0xC0);
    hall.receive(Commands::kSignInStart);
    EXPECT_EQ(hall.keyState(1), 0x80);
    EXPECT_EQ(hall.keyState(4), 0x80);
}

TEST(UnitHall, VoteKeysBetweenVoteStartAndVoteEnd)
{
    UnitHall hall(10, 1);
    hall.apply(action("press 7 1"));
    EXPECT_EQ(hall.keyState(7), 0x80);
    hall.receive(0xF75507);
    EXPECT_TRUE(hall.voteOpen());
    EXPECT_EQ(hall.voteMode(), 0x07);
    hall.apply(action("press 7 1"));
    hall.apply(action("press 8 1 2"));
    hall.apply(action("press 9 5"));
    EXPECT_EQ(hall.receive(0xFA0007), (QList<quint32>{report(0x81, 7)}));
    EXPECT_EQ(hall.keyState(8), 0x83);
    EXPECT_EQ(hall.keyState(9), 0x90);
    hall.apply(action("press 7 3")); // a second press replaces the first
    EXPECT_EQ(hall.keyState(7), 0x84);
    hall.receive(Commands::kVoteEnd);
    hall.apply(action("press 7 2"));
    EXPECT_EQ(hall.keyState(7), 0x84);
    hall.receive(0xF75501); // the next vote starts from no keys
    EXPECT_EQ(hall.keyState(7), 0x80);
}

TEST(UnitHall, MicrophonesAndTheirEvents)
{
    UnitHall hall(10, 2);
    EXPECT_EQ(hall.apply(action("mic 9 on")), (QList<quint32>{0xE00109}));
    EXPECT_EQ(hall.keyState(9), 0xA0);
    EXPECT_TRUE(hall.apply(action("mic 9 on")).isEmpty()); // already open
    EXPECT_EQ(hall.receive(0xFB0009), (QList<quint32>{0xE00009}));
    EXPECT_EQ(hall.receive(0xFC0003), (QList<quint32>{0xE00103}));

    // Forbidding closes an open microphone and keeps it closed until untied.
    EXPECT_EQ(hall.receive(0xF20003), (QList<quint32>{0xE00003}));
    EXPECT_EQ(hall.keyState(3), 0x00);
    EXPECT_TRUE(hall.receive(0xFC0003).isEmpty());
    EXPECT_TRUE(hall.apply(action("mic 3 on")).isEmpty());
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
    EXPECT_TRUE(hall.unit(1).micOpen);
    EXPECT_TRUE(hall.unit(2).micOpen);
    EXPECT_FALSE(hall.unit(6).micOpen);
    EXPECT_FALSE(hall.unit(7).micOpen);
}

TEST(UnitHall, ScriptLines)
{
    EXPECT_EQ(action("  # a comment").kind, UnitHall::Action::None);
    EXPECT_EQ(action("").kind, UnitHall::Action::None);
    const UnitHall::Action press = action("press 8 1 2 # with a comment");
    EXPECT_EQ(press.kind, UnitHall::Action::Press);
    EXPECT_EQ(press.units, (QList<int>{8}));
    EXPECT_EQ(press.keys, (QList<int>{1, 2}));
    EXPECT_EQ(action("signin 1-3,7").units, (QList<int>{1, 2, 3, 7}));
    const UnitHall::Action noise = action("noise 0.01");
    EXPECT_EQ(noise.kind, UnitHall::Action::Transport);
    EXPECT_EQ(noise.verb, "noise");
    EXPECT_EQ(noise.argument, "0.01");
    EXPECT_EQ(action("SILENT").verb, "silent");

    for (const char* bad : {"dance 3", "signin", "signin 0", "signin 5-2", "signin 1-250", "signin x",
                            "press 7 6", "press 7 0", "press 7 a", "mic 3", "mic 3 maybe"}) {
        QString error;
        EXPECT_FALSE(UnitHall::parse(QString::fromLatin1(bad), &error).has_value()) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}

TEST(UnitHall, LivelyHallSignsInAndVotesOverSeveralSeconds)
{
    UnitHall hall(100, 2);
    hall.setAuto(true, 42);
    auto signedIn = [&] {
        int count = 0;
        for (int n = 1; n <= 100; ++n)
            count += hall.unit(n).signInKey ? 1 : 0;
        return count;
    };
    hall.autoStep(0);
    hall.receive(Commands::kSignInStart);
    hall.autoStep(100);
    hall.autoStep(400);
    EXPECT_EQ(signedIn(), 0) << "nobody is that quick";
    int at3s = 0;
    for (qint64 t = 500; t <= 15000; t += 100) {
        hall.autoStep(t);
        if (t == 3000)
            at3s = signedIn();
    }
    EXPECT_GT(at3s, 10);
    EXPECT_LT(at3s, 95);
    EXPECT_GE(signedIn(), 85);
    EXPECT_LT(signedIn(), 100 + 1);

    hall.receive(Commands::kSignInEnd);
    hall.receive(0xF75501);
    int yes = 0, no = 0, voted = 0;
    for (qint64 t = 15100; t <= 30000; t += 100)
        hall.autoStep(t);
    for (int n = 1; n <= 100; ++n) {
        const quint8 keys = hall.unit(n).voteKeys;
        voted += keys ? 1 : 0;
        yes += keys == 0x01 ? 1 : 0;
        no += keys == 0x02 ? 1 : 0;
        EXPECT_TRUE(keys == 0 || keys == 1 || keys == 2 || keys == 4) << n;
    }
    EXPECT_GE(voted, 85);
    EXPECT_GT(yes, no);
    EXPECT_GT(no, 0);
    // Microphones opened now and then, never more than a few at once.
    EXPECT_LE(hall.openMicCount(), 4);
}

TEST(UnitHall, ShippedExampleScriptParses)
{
    QFile file(QStringLiteral(UNITSIM_EXAMPLES "/meeting.script"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int actions = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        QString error;
        const auto parsed = UnitHall::parse(line, &error);
        ASSERT_TRUE(parsed.has_value()) << line.toStdString() << ": " << error.toStdString();
        actions += parsed->kind == UnitHall::Action::None ? 0 : 1;
    }
    EXPECT_GT(actions, 10);
}
