#include "prep/FrmMeeOut.h"
#include "PrepPagesSupport.h"
#include "data/Schema.h"
#include "prep/FrmManinfo.h"
#include "prep/FrmMeeMat.h"
#include "prep/FrmMeeset.h"
#include "prep/MeetingListModel.h"
#include "prep/MotionTable.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QPushButton>

using namespace prep_test;

namespace {

class FrmMeeOutTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        addMeeting(QStringLiteral("First"), QStringLiteral("20260101090000"), {"First motion"});
        addMeeting(QStringLiteral("Second"), QStringLiteral("20260202090000"), {"Second A", "Second B"});
        hub = std::make_unique<FrmMeeOut>(meetingList);
        hub->show();
    }
    void TearDown() override
    {
        hub.reset();
        ConsoleTest::TearDown();
    }

    void addMeeting(const QString& name, const QString& key, const QStringList& motions)
    {
        Meeting meeting;
        meeting.name = name;
        meeting.key = key;
        ASSERT_TRUE(meetingTable.insert(meeting));
        ASSERT_EQ(Schema::createMeetingDatabase(name), Schema::CreateResult::Created);
        MotionTable table;
        table.setMeeting(name);
        int second = 0;
        for (const QString& title : motions) {
            Motion motion;
            motion.title = title;
            motion.key = QStringLiteral("202601010900%1").arg(second++, 2, 10, QLatin1Char('0'));
            ASSERT_TRUE(table.insert(motion));
        }
    }

    QPushButton* button(const char* name) { return findWidget(hub.get(), name); }
    void click(const char* name) { clickButton(hub.get(), name); }
    QTableView* meetingView() { return findWidget<QTableView>(hub->meetingPage(), FrmMeeset::kList); }
    QStringList shownMotions()
    {
        auto* list = findWidget<QTableView>(hub->motionPage(), FrmMeeMat::kList);
        QStringList titles;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            titles.append(list->model()->index(row, 1).data().toString());
        return titles;
    }

    MeetingTable meetingTable;
    MeetingListModel meetingList{meetingTable};
    std::unique_ptr<FrmMeeOut> hub;
};

TEST_F(FrmMeeOutTest, OtherPagesWaitForAChosenMeeting)
{
    EXPECT_FALSE(button(FrmMeeOut::kMotionsButton)->isEnabled());
    hub->showMotions();
    EXPECT_FALSE(hub->motionPage()->isVisible());
    clickRow(meetingView(), 0);
    EXPECT_TRUE(button(FrmMeeOut::kDelegatesButton)->isEnabled());
    prompts.answerNext(true); // deleting the meeting locks them again
    clickButton(hub->meetingPage(), FrmMeeset::kDeleteButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(button(FrmMeeOut::kDelegatesButton)->isEnabled());
}

TEST_F(FrmMeeOutTest, PagesShowTheSelectedMeetingEachTime)
{
    clickRow(meetingView(), 0);
    click(FrmMeeOut::kMotionsButton);
    EXPECT_EQ(shownMotions(), QStringList{"First motion"});

    click(FrmMeeOut::kMeetingsButton);
    clickRow(meetingView(), 1);
    click(FrmMeeOut::kMotionsButton);
    EXPECT_EQ(shownMotions(), (QStringList{"Second A", "Second B"}));

    ASSERT_TRUE(DbAccess::executeOnce(
        Schema::meetingDatabasePath("Second"),
        "insert into Employees(CellNo, EmpName) values('5', 'Delegate of the second')"));
    click(FrmMeeOut::kDelegatesButton);
    const QAbstractItemModel* delegates =
        findWidget<QTableView>(hub->delegatePage(), FrmManinfo::kList)->model();
    ASSERT_EQ(delegates->rowCount(), 1);
    EXPECT_EQ(delegates->index(0, 1).data().toString(), "Delegate of the second");
}

} // namespace
