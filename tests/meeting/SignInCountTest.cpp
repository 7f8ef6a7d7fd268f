#include "meeting/SignInCount.h"

#include <gtest/gtest.h>

using namespace SignInCount;

TEST(SignInFigures, AbsentNeverNegativeRatioTruncatesAndBadDueTestsNoQuorum)
{
    EXPECT_EQ(figures(12, {.due = 10}).absent, 0);
    const Figures twoOfThree = figures(2, {.due = 3, .legalRatio = 67});
    EXPECT_EQ(twoOfThree.absent, 1);
    EXPECT_EQ(twoOfThree.ratio, 66);
    EXPECT_EQ(twoOfThree.quorum, Quorum::Missed);
    EXPECT_EQ(figures(2, {.due = 3, .legalRatio = 66}).quorum, Quorum::Reached);
    EXPECT_EQ(figures(3, {.due = 3, .legalRatio = 250}).quorum, Quorum::Reached); // a ratio above 100 is 100
    for (int due : {0, -5}) {
        const Figures f = figures(4, {.due = due, .legalRatio = 50});
        EXPECT_EQ(f.due, 0) << due;
        EXPECT_FALSE(f.ratio.has_value()) << due;
        EXPECT_EQ(quorumText(f.quorum, "yes", "no", "before"), "") << due;
    }
    const Meeting unknownSwitch{.due = 10, .legalRatio = 50, .ratioSwitchUnknown = true};
    EXPECT_EQ(quorumText(figures(4, unknownSwitch).quorum, "yes", "no", "before"), "before");
    EXPECT_EQ(figures(4, {.due = 999999999}).due, kMaxDue);
    EXPECT_EQ(figureValues(figures(30, {.due = 40, .legalRatio = 50})), "40:30:10:::");
    EXPECT_EQ(countdownText(7205), "120:05"); // minutes are not wrapped into hours
}

TEST(SignInNamePages, TwentyFourAPagePaddedAndBounded)
{
    QStringList names;
    for (int i = 1; i <= 25; ++i)
        names << QStringLiteral("N%1").arg(i);
    EXPECT_EQ(pageCount(25), 2);
    QStringList second(kNamesPerPage, QString());
    second[0] = "N25";
    EXPECT_EQ(namePage(names, 1), second);
    EXPECT_EQ(namePage(names, 7), second); // past the end: the last page
}
