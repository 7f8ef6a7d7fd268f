#include "prep/NameFilter.h"
#include "prep/Candidates.h"
#include "prep/RecordKey.h"

#include <gtest/gtest.h>

namespace {

TEST(NameFilterTest, MeetingNamesLoseWhatAFileNameCannotHold)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a\"b'c/d\\e:f*g?h<i>j|k", "abcdefghijk"},
        {"tab\there\nnew\x01", "tabherenew"},
        {"第一次 会议 (2026) – 终", "第一次 会议 (2026) – 终"},
        {"...x.y.", "x.y."}, // leading dots would hide the database file
        {"'.x", "x"},
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(NameFilter::meetingName(QString::fromUtf8(typed)), QString::fromUtf8(kept)) << typed;
    for (const char* name : {"", "   ", "..", ".hidden", "a/b", "a:b"})
        EXPECT_FALSE(NameFilter::isUsableMeetingName(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(NameFilter::isUsableMeetingName(QStringLiteral("v1.2")));
    EXPECT_FALSE(NameFilter::isUsableMeetingName(QString(NameFilter::kMeetingNameLength + 1, QChar('a'))));
    EXPECT_EQ(NameFilter::withoutQuotes(QStringLiteral("say \"hi\" it's/ok")), "say hi its/ok");
    EXPECT_EQ(NameFilter::digitsOnly(QStringLiteral("1a2-3 ４5")), "1235");
}

TEST(RecordKeyTest, TakenKeysMoveOnBySecondsAndBadKeysAreRefused)
{
    const QDateTime now(QDate(2026, 12, 31), QTime(23, 59, 58));
    const QStringList taken = {"20261231235958", "20261231235959"};
    EXPECT_EQ(RecordKey::next(now, [&](const QString& key) { return taken.contains(key); }),
              "20270101000000");
    for (const char* key : {"", "2026123123595x", "../../System"})
        EXPECT_FALSE(RecordKey::isValid(QString::fromLatin1(key))) << key;
}

TEST(CandidatesTest, EachModeKeepsItsCountAndTheListMustFitTheRow)
{
    const QStringList names = {"A", "B", "C"};
    EXPECT_EQ(Candidates::forMode(2, {"A", "B", "C", "D", "E"}, {"old"}), names);
    EXPECT_EQ(Candidates::forMode(3, names, {"old"}), (QStringList{"A", "B", "C", "", ""}));
    EXPECT_EQ(Candidates::forMode(0, names, {"old"}), QStringList{"old"});
    // Packed, each name is followed by its colon.
    EXPECT_TRUE(Candidates::fits({QString(49, 'x'), QString(49, 'y')}));
    EXPECT_FALSE(Candidates::fits({QString(50, 'x'), QString(49, 'y')}));
}

} // namespace
