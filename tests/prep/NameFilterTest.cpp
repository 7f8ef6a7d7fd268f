#include "prep/NameFilter.h"
#include "prep/Candidates.h"
#include "prep/RecordKey.h"

#include <gtest/gtest.h>

namespace {

TEST(NameFilterTest, MeetingNamesLoseWhatAFileNameCannotHold)
{
    EXPECT_EQ(NameFilter::meetingName(QStringLiteral("a\"b'c/d\\e:f*g?h<i>j|k")), "abcdefghijk");
    EXPECT_EQ(NameFilter::meetingName(QStringLiteral("tab\there\nnew\x01")), "tabherenew");
    // Blanks, CJK and other punctuation stay.
    EXPECT_EQ(NameFilter::meetingName(QStringLiteral("第一次 会议 (2026) – 终")), "第一次 会议 (2026) – 终");
    // Leading dots would hide the database file; dots further on stay.
    EXPECT_EQ(NameFilter::meetingName(QStringLiteral("...x.y.")), "x.y.");
    EXPECT_EQ(NameFilter::meetingName(QStringLiteral("'.x")), "x");
    EXPECT_EQ(NameFilter::meetingName(QStringLiteral("..")), "");
}

TEST(NameFilterTest, UnusableMeetingNames)
{
    for (const char* name : {"", "   ", ".", "..", "...x", ".hidden", "a/b", "a:b"})
        EXPECT_FALSE(NameFilter::isUsableMeetingName(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(NameFilter::isUsableMeetingName(QStringLiteral("v1.2")));
    EXPECT_TRUE(NameFilter::isUsableMeetingName(QString(NameFilter::kMeetingNameLength, QChar(0x4F1A))));
    EXPECT_FALSE(NameFilter::isUsableMeetingName(QString(NameFilter::kMeetingNameLength + 1, QChar('a'))));
}

TEST(NameFilterTest, OtherFieldFilters)
{
    EXPECT_EQ(NameFilter::withoutQuotes(QStringLiteral("say \"hi\" it's/ok")), "say hi its/ok");
    EXPECT_EQ(NameFilter::digitsOnly(QStringLiteral("1a2-3 ４5")), "1235");
    EXPECT_EQ(NameFilter::candidateName(QStringLiteral("Li:Na")), "LiNa");
}

TEST(RecordKeyTest, TakenKeysMoveOnBySeconds)
{
    const QDateTime now(QDate(2026, 12, 31), QTime(23, 59, 58));
    EXPECT_EQ(RecordKey::format(now), "20261231235958");
    const QStringList taken = {"20261231235958", "20261231235959"};
    EXPECT_EQ(RecordKey::next(now, [&](const QString& key) { return taken.contains(key); }),
              "20270101000000");
    EXPECT_TRUE(RecordKey::isValid(QStringLiteral("20261231235958")));
    for (const char* key : {"", "2026123123595", "2026123123595x", "../../System"})
        EXPECT_FALSE(RecordKey::isValid(QString::fromLatin1(key))) << key;
}

TEST(CandidatesTest, SplitFillsFiveAndIgnoresTheRest)
{
    EXPECT_EQ(Candidates::split(QStringLiteral("A:B:C:")), (QStringList{"A", "B", "C", "", ""}));
    EXPECT_EQ(Candidates::split(QStringLiteral("A:B:C:D:E:F:G:")), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(Candidates::split(QString()), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(Candidates::split(QStringLiteral("A::C")), (QStringList{"A", "", "C", "", ""}));
}

TEST(CandidatesTest, PackByMode)
{
    const QStringList names = {"A", "B", "C", "", ""};
    EXPECT_EQ(Candidates::pack(1, names, "old"), "A:B:C:");
    EXPECT_EQ(Candidates::pack(2, {"A", "B", "C", "D", "E"}, "old"), "A:B:C:");
    // Three names in a five-name election: five colons in all.
    EXPECT_EQ(Candidates::pack(3, names, "old"), "A:B:C:::");
    EXPECT_EQ(Candidates::pack(4, {"A"}, "old"), "A:::::");
    EXPECT_EQ(Candidates::pack(0, names, "old"), "old");
    EXPECT_EQ(Candidates::pack(5, names, "old"), "old");
    EXPECT_TRUE(Candidates::fits(QString(100, 'x')));
    EXPECT_FALSE(Candidates::fits(QString(101, 'x')));
}

} // namespace
