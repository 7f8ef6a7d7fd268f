// The demonstration meeting is stored as the preparation pages would store it,
// so the console shows it like any other meeting.

#include "demodata/DemoMeeting.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/DelegateTable.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"
#include "speak/HallPicture.h"
#include "support/SystemDatabaseTest.h"

#include <QDir>
#include <QFile>

namespace {

class DemoMeetingTest : public SystemDatabaseTest
{
protected:
    void SetUp() override
    {
        SystemDatabaseTest::SetUp();
        ASSERT_TRUE(settings.execute("update sysbasicset set cellnum = ?", {12}));
    }
};

TEST_F(DemoMeetingTest, MeetingDelegatesAndOneMotionOfEachKind)
{
    ASSERT_EQ(DemoMeeting::create(), DemoMeeting::Result::Created);

    const Meeting meeting = MeetingTable().find(DemoMeeting::kName).value();
    EXPECT_EQ(meeting.due, 12);
    EXPECT_TRUE(QDir(programFile(MeetingFiles::folder(meeting.key))).exists());

    DelegateTable delegates;
    delegates.setMeeting(DemoMeeting::kName);
    const QList<Delegate> all = delegates.all().value();
    ASSERT_EQ(all.size(), 12);
    EXPECT_EQ(all[11].unit, "12");

    MotionTable motions;
    motions.setMeeting(DemoMeeting::kName);
    const QList<Motion> made = motions.all().value_or(QList<Motion>());
    QList<int> kinds;
    QStringList keys;
    for (const Motion& motion : made) {
        kinds.append(kindNumber(motion.kind));
        keys.append(motion.key);
    }
    EXPECT_EQ(kinds, (QList<int>{0, 1, 4, 5, 6}));
    EXPECT_EQ(motions.find("Election of the chair").value_or(Motion()).candidates,
              (QStringList{"Ana Almeida", "Bruno Berg", "Chen Li"}));

    // Keys of the motions are all different, even when made within one second.
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 5);
}

TEST_F(DemoMeetingTest, HallHasEverySeatApartOnTheCanvasWithItsPicture)
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    ASSERT_TRUE(settings.execute("update sysbasicset set cellnum = ?, cinnum = ?", {249, 3}));
    ASSERT_TRUE(DemoMeeting::addSeatLayout());
    ASSERT_TRUE(settings.load());
    EXPECT_TRUE(settings.typed().seatLayout);
    // The picture named by default ships, so the floor is not a white sheet.
    EXPECT_FALSE(HallPicture::load(settings.ico).isNull());

    const SeatLayout hall = SeatLayout::load(programFile("System/seat.ini"));
    ASSERT_EQ(hall.count(), 249);
    for (int a = 1; a <= hall.count(); ++a) {
        const QRect seat = hall.seat(a).button.united(hall.seat(a).label);
        EXPECT_LE(seat.right() + 1, SeatLayout::kCanvasWidth) << a;
        for (int b = a + 1; b <= hall.count(); ++b)
            ASSERT_FALSE(seat.intersects(hall.seat(b).button.united(hall.seat(b).label))) << a << " " << b;
    }
    // The chairman units face the hall from above it.
    EXPECT_LT(hall.seat(3).label.bottom(), hall.seat(4).button.top());

    // A layout in use is the operator's: a second run leaves it.
    SeatLayout own = SeatLayout::grid(5);
    ASSERT_TRUE(own.save(programFile("System/seat.ini")));
    ASSERT_TRUE(DemoMeeting::addSeatLayout());
    EXPECT_EQ(SeatLayout::load(programFile("System/seat.ini")).count(), 5);
}

} // namespace
