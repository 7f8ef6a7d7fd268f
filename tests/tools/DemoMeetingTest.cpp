// The demonstration meeting is stored as the preparation pages would store it,
// so the console shows it like any other meeting.

#include "demodata/DemoMeeting.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/Candidates.h"
#include "prep/DelegateTable.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QFile>

namespace {

class DemoMeetingTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(settings.execute("update sysbasicset set cellnum = ?", {12}));
    }
};

TEST_F(DemoMeetingTest, MeetingDelegatesAndOneMotionOfEachKind)
{
    ASSERT_EQ(DemoMeeting::create(), DemoMeeting::Result::Created);

    MeetingTable meetings;
    ASSERT_TRUE(meetings.load(DemoMeeting::kName));
    EXPECT_EQ(meetings.record.DueNum, "12");
    EXPECT_TRUE(QDir(programFile(MeetingFiles::folder(meetings.record.insertdate))).exists());

    DelegateTable delegates;
    delegates.setMeeting(DemoMeeting::kName);
    ASSERT_TRUE(delegates.loadList());
    ASSERT_EQ(delegates.list.size(), 12);
    EXPECT_EQ(delegates.list[11].CellNo, "12");

    MotionTable motions;
    motions.setMeeting(DemoMeeting::kName);
    motions.loadList();
    ASSERT_EQ(motions.kinds.size(), 5);
    QStringList kindTexts;
    const Texts publicTexts("Public");
    for (int kind = 1; kind <= 7; ++kind)
        kindTexts.append(publicTexts(QStringLiteral("VoteType%1").arg(kind)));
    QList<int> kinds;
    for (const QString& text : motions.kinds)
        kinds.append(MotionRules::kindOf(text, kindTexts));
    EXPECT_EQ(kinds, (QList<int>{0, 1, 4, 5, 6}));

    ASSERT_TRUE(motions.load("Election of the chair"));
    EXPECT_EQ(motions.record.candidate, "Ana Almeida:Bruno Berg:Chen Li:");

    // Keys of the motions are all different, even when made within one second.
    QStringList keys;
    for (const QString& title : motions.titles) {
        ASSERT_TRUE(motions.load(title));
        keys.append(motions.record.insertdate);
    }
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 5);
}

} // namespace
