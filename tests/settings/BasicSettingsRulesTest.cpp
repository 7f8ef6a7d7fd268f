// What the basic settings accept, and the stored form of the login password.

#include "settings/BasicSettingsRules.h"
#include "data/PasswordHash.h"

#include <gtest/gtest.h>

namespace {

using namespace BasicSettingsRules;

TEST(BasicSettingsRulesTest, UnitNumbersRunFromOneTo250)
{
    EXPECT_EQ(unitNumber(QStringLiteral("250")), 250);
    EXPECT_EQ(unitNumber(QStringLiteral("1")), 1);
    for (const char* refused : {"0", "251", "", "12a", "abc", "-5"})
        EXPECT_FALSE(unitNumber(QString::fromLatin1(refused))) << refused;
}

TEST(BasicSettingsRulesTest, PortsAndChairmenAreCheckedAgainstEachOther)
{
    EXPECT_EQ(checkPortRange(QStringLiteral("3"), QStringLiteral("2")), PortRange::Reversed);
    EXPECT_EQ(checkPortRange(QStringLiteral("2"), QStringLiteral("2")), PortRange::Accepted);
    EXPECT_EQ(checkPortRange(QString(), QStringLiteral("4")), PortRange::FieldEmpty);
    // Two-digit ports compare as numbers, not as text.
    EXPECT_EQ(checkPortRange(QStringLiteral("9"), QStringLiteral("10")), PortRange::Accepted);

    EXPECT_EQ(checkChairCount(QStringLiteral("40"), QStringLiteral("40")), ChairCount::Accepted);
    EXPECT_EQ(checkChairCount(QStringLiteral("41"), QStringLiteral("40")), ChairCount::AboveUnits);
    EXPECT_EQ(checkChairCount(QStringLiteral("0"), QStringLiteral("40")), ChairCount::TooFew);
    EXPECT_EQ(checkChairCount(QString(), QStringLiteral("40")), ChairCount::TooFew);
}

TEST(BasicSettingsRulesTest, MarksAreStoredWithTrailingColonsAndKeptWithin0To100)
{
    EXPECT_EQ(markText({"0", "25", "50", "75", "100"}), QStringLiteral("0:25:50:75:100:"));
    EXPECT_FALSE(markText({"0", "25", "50", "75", "101"}));
    EXPECT_FALSE(markText({"-1", "25", "50", "75", "100"}));
    EXPECT_FALSE(markText({"0", "", "50", "75", "100"}));
    EXPECT_EQ(marksOf(QStringLiteral("0:25:50:75:100:")), (QStringList{"0", "25", "50", "75", "100"}));
    EXPECT_EQ(marksOf(QStringLiteral("10:20")), (QStringList{"10", "20", "0", "0", "0"}));
}

TEST(BasicSettingsRulesTest, PasswordIsStoredSaltedAndLegacyPlainValuesStillOpen)
{
    const QString stored = PasswordHash::hash(QStringLiteral("Geheim-9"));
    EXPECT_TRUE(stored.startsWith(QStringLiteral("sha256$")));
    EXPECT_FALSE(stored.contains(QStringLiteral("Geheim")));
    EXPECT_NE(stored, PasswordHash::hash(QStringLiteral("Geheim-9")));
    EXPECT_TRUE(PasswordHash::matches(stored, QStringLiteral("Geheim-9")));
    EXPECT_FALSE(PasswordHash::matches(stored, QStringLiteral("geheim-9")));
    EXPECT_FALSE(PasswordHash::matches(stored, QString()));
    EXPECT_FALSE(PasswordHash::matches(QStringLiteral("sha256$00$"), QString()));

    EXPECT_TRUE(PasswordHash::matches(QStringLiteral("old1"), QStringLiteral("old1")));
    EXPECT_FALSE(PasswordHash::matches(QStringLiteral("old1"), QStringLiteral("OLD1")));
    EXPECT_TRUE(PasswordHash::matches(QString(), QString()));
}

TEST(BasicSettingsRulesTest, PasswordChangeNeedsTheOldOneUnlessThereIsNone)
{
    const QString stored = PasswordHash::hash(QStringLiteral("a1"));
    EXPECT_EQ(checkPasswordChange("a1", "b2", "b2", stored), PasswordChange::Accepted);
    EXPECT_EQ(checkPasswordChange("a1", "b2", "b3", stored), PasswordChange::Mismatch);
    EXPECT_EQ(checkPasswordChange("zz", "b2", "b2", stored), PasswordChange::WrongOld);
    EXPECT_EQ(checkPasswordChange("", "b2", "b2", stored), PasswordChange::FieldEmpty);
    EXPECT_EQ(checkPasswordChange("a1", "", "", stored), PasswordChange::FieldEmpty);
    // A new installation has no password: the first one is set without an old one.
    EXPECT_EQ(checkPasswordChange("", "b2", "b2", QString()), PasswordChange::Accepted);
    EXPECT_EQ(checkPasswordChange("plain", "b2", "b2", QStringLiteral("plain")), PasswordChange::Accepted);
}

} // namespace
