// The stored form of the login password and what a change of it needs.

#include "data/PasswordHash.h"
#include "settings/BasicSettingsRules.h"

#include <gtest/gtest.h>

namespace {

using namespace BasicSettingsRules;

TEST(PasswordTest, PasswordIsStoredAsArgon2idAndLegacyPlainValuesStillOpen)
{
    const QString stored = PasswordHash::hash(QStringLiteral("Geheim-9"));
    EXPECT_TRUE(stored.startsWith(QStringLiteral("$argon2id$")));
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

TEST(PasswordTest, PasswordChangeNeedsTheOldOneUnlessThereIsNone)
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
