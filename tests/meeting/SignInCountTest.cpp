#include "meeting/SignInCount.h"

#include <gtest/gtest.h>

using namespace SignInCount;

TEST(SignInFigures, AbsentNeverNegativeAndRatioTruncates)
{
    const Figures moreThanDue = figures(12, "10", "2", "0");
    EXPECT_EQ(moreThanDue.absent, 0);
    EXPECT_EQ(moreThanDue.quorum, Quorum::NotTested);

    const Figures twoOfThree = figures(2, "3", "1", "67");
    EXPECT_EQ(twoOfThree.absent, 1);
    EXPECT_EQ(twoOfThree.ratio, 66);
    EXPECT_EQ(twoOfThree.quorum, Quorum::Missed);
    EXPECT_EQ(figures(2, "3", "1", "66").quorum, Quorum::Reached);
}

TEST(SignInFigures, DueOfZeroOrBadTextTestsNoQuorum)
{
    for (const char* due : {"0", "", "abc", "-5"}) {
        const Figures f = figures(4, due, "1", "50");
        EXPECT_EQ(f.due, 0) << due;
        EXPECT_FALSE(f.ratio.has_value()) << due;
        EXPECT_EQ(quorumText(f.quorum, "yes", "no", "before"), "") << due;
    }
    // An unknown switch value leaves the last text as it was.
    EXPECT_EQ(quorumText(figures(4, "10", "x", "50").quorum, "yes", "no", "before"), "before");
    EXPECT_EQ(figures(4, "999999999", "2", "0").due, kMaxDue);
}

TEST(SignInFigures, ScreenFieldListsAndCountdownText)
{
    EXPECT_EQ(figureValues(figures(30, "40", "1", "50")), "40:30:10:::");
    EXPECT_EQ(countdownText(659), "10:59");
    EXPECT_EQ(countdownText(7205), "120:05"); // minutes are not wrapped into hours
    EXPECT_EQ(digitsOnly("1a2 b"), "12");
}

TEST(SignInNamePages, TwentyFourAPagePaddedAndBounded)
{
    QStringList names;
    for (int i = 1; i <= 25; ++i)
        names << QStringLiteral("N%1").arg(i);
    EXPECT_EQ(pageCount(24), 1);
    EXPECT_EQ(pageCount(25), 2);
    QStringList second(kNamesPerPage, QString());
    second[0] = "N25";
    EXPECT_EQ(namePage(names, 1), second);
    EXPECT_EQ(namePage(names, 7), second); // past the end: the last page
}
