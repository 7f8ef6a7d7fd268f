#include "data/FieldList.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldListTest, JoinAndSplitRoundTripIncludingEmptyFields)
{
    const QList<QStringList> lists = {{},           {QString()},
                                      {"a"},        {"12", "10", "2", "", ""},
                                      {"", "", ""}, {"Yes", "No", "Abstain", "Unpressed"}};
    for (const QStringList& fields : lists) {
        const QString text = FieldList::join(fields);
        EXPECT_EQ(text.count(QLatin1Char(':')), fields.size()) << text.toStdString();
        EXPECT_EQ(FieldList::split(text), fields) << text.toStdString();
    }
    // The sign-in figures as the hall screen gets them: due, present, absent and two empty fields.
    EXPECT_EQ(FieldList::join({"12", "10", "2", "", ""}), "12:10:2:::");
    EXPECT_EQ(FieldList::join({}), "");
}

TEST(FieldListTest, TextAfterTheLastColonIsNoFieldAndAColonSplitsAField)
{
    EXPECT_EQ(FieldList::split("a:b:c"), QStringList({"a", "b"}));
    EXPECT_EQ(FieldList::split("no colon"), QStringList());
    EXPECT_EQ(FieldList::split(""), QStringList());
    EXPECT_EQ(FieldList::split("::"), QStringList({"", ""}));
    // Fields are not escaped: names lose their ":" before they are stored.
    EXPECT_EQ(FieldList::split(FieldList::join({"10:30", "x"})), QStringList({"10", "30", "x"}));
}

TEST(FieldListTest, SplitKeepsAtMostTheFieldsAskedAndExactlyPadsWithEmptyFields)
{
    const QString thirteen = QStringLiteral("a:b:c:d:e:f:g:h:i:j:k:l:m:");
    EXPECT_EQ(FieldList::split(thirteen).size(), 13);
    EXPECT_EQ(FieldList::split(thirteen, 11), thirteen.split(':').mid(0, 11));
    EXPECT_EQ(FieldList::split("a:b:", 0), QStringList());
    EXPECT_EQ(FieldList::exactly(thirteen, 11), thirteen.split(':').mid(0, 11));
    EXPECT_EQ(FieldList::exactly("3::1", 4), (QStringList{"3", "", "", ""}));
    EXPECT_EQ(FieldList::exactly("", 2), (QStringList{"", ""}));
}

TEST(FieldListTest, FlagsAreStoredAsOneAndTwo)
{
    EXPECT_EQ(storedFlag(true), "1");
    EXPECT_EQ(storedFlag(false), "2");
}

} // namespace
