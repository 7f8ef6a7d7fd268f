#include "prep/FrmMeeOut.h"
#include "PrepPagesSupport.h"
#include "data/Schema.h"
#include "prep/FrmManinfo.h"
#include "prep/FrmMeeMat.h"
#include "prep/FrmMeeset.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QLabel>
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
        hub = std::make_unique<FrmMeeOut>();
        hub->show();
    }
    void TearDown() override
    {
        hub.reset();
        ConsoleTest::TearDown();
    }

    void addMeeting(const QString& name, const QString& key, const QStringList& motions)
    {
        MeetingTable meetings;
        meetings.record.MeeName = name;
        meetings.record.insertdate = key;
        meetings.record.DueNum = QStringLiteral("10");
        ASSERT_TRUE(meetings.insert());
        ASSERT_EQ(Schema::createMeetingDatabase(name), Schema::CreateResult::Created);
        MotionTable table;
        table.setMeeting(name);
        int second = 0;
        for (const QString& title : motions) {
            table.record = MotionRecord();
            table.record.OveName = title;
            table.record.insertdate = QStringLiteral("202601010900%1").arg(second++, 2, 10, QLatin1Char('0'));
            ASSERT_TRUE(table.insert());
        }
    }

    QPushButton* button(const char* name) { return findWidget(hub.get(), name); }
    void click(const char* name) { clickButton(hub.get(), name); }
    QTableWidget* meetingList() { return findWidget<QTableWidget>(hub->meetingPage(), FrmMeeset::kList); }
    QStringList shownMotions()
    {
        auto* list = findWidget<QTableWidget>(hub->motionPage(), FrmMeeMat::kList);
        QStringList titles;
        for (int row = 0; row < list->rowCount(); ++row)
            titles.append(list->item(row, 1)->text());
        return titles;
    }
    bool hintShown() { return findWidget<QLabel>(hub.get(), "HubHint")->isVisible(); }
    // The page on show is marked checked; a button that cannot be pressed is disabled.
    void expectCurrent(const char* current, bool others)
    {
        for (const char* name :
             {FrmMeeOut::kMeetingsButton, FrmMeeOut::kMotionsButton, FrmMeeOut::kDelegatesButton}) {
            const bool isCurrent = qstrcmp(name, current) == 0;
            EXPECT_EQ(button(name)->isChecked(), isCurrent) << name;
            EXPECT_EQ(button(name)->isEnabled(), !isCurrent && (others || name == FrmMeeOut::kMeetingsButton))
                << name;
        }
    }

    std::unique_ptr<FrmMeeOut> hub;
};

TEST_F(FrmMeeOutTest, OtherPagesWaitForAChosenMeeting)
{
    expectCurrent(FrmMeeOut::kMeetingsButton, false);
    EXPECT_TRUE(hintShown());
    hub->showMotions();
    EXPECT_FALSE(hub->motionPage()->isVisible());
    clickRow(meetingList(), 0);
    expectCurrent(FrmMeeOut::kMeetingsButton, true);
    EXPECT_FALSE(hintShown());

    // Editing or deleting the meeting locks them again.
    clickButton(hub->meetingPage(), FrmMeeset::kChangeButton);
    expectCurrent(FrmMeeOut::kMeetingsButton, false);
    clickButton(hub->meetingPage(), FrmMeeset::kCancelButton);
    expectCurrent(FrmMeeOut::kMeetingsButton, true);
    prompts.answerNext(true);
    clickButton(hub->meetingPage(), FrmMeeset::kDeleteButton);
    EXPECT_EQ(prompts.take().size(), 1);
    expectCurrent(FrmMeeOut::kMeetingsButton, false);
    EXPECT_TRUE(hintShown());
}

TEST_F(FrmMeeOutTest, PagesShowTheSelectedMeetingEachTime)
{
    clickRow(meetingList(), 0);
    click(FrmMeeOut::kMotionsButton);
    expectCurrent(FrmMeeOut::kMotionsButton, true);
    EXPECT_FALSE(hub->meetingPage()->isVisible());
    EXPECT_EQ(shownMotions(), QStringList{"First motion"});

    click(FrmMeeOut::kMeetingsButton);
    clickRow(meetingList(), 1);
    click(FrmMeeOut::kMotionsButton);
    EXPECT_EQ(shownMotions(), (QStringList{"Second A", "Second B"}));

    // A motion added behind the page's back shows the next time the page is shown.
    MotionTable table;
    table.setMeeting(QStringLiteral("Second"));
    table.record.OveName = QStringLiteral("Second C");
    table.record.insertdate = QStringLiteral("20260202100000");
    ASSERT_TRUE(table.insert());
    click(FrmMeeOut::kMeetingsButton);
    click(FrmMeeOut::kMotionsButton);
    EXPECT_EQ(shownMotions(), (QStringList{"Second A", "Second B", "Second C"}));

    ASSERT_TRUE(execute(Schema::meetingDatabasePath("Second"),
                        "insert into Employees(CellNo, EmpName) values('5', 'Delegate of the second')"));
    click(FrmMeeOut::kDelegatesButton);
    expectCurrent(FrmMeeOut::kDelegatesButton, true);
    auto* delegates = findWidget<QTableWidget>(hub->delegatePage(), FrmManinfo::kList);
    ASSERT_EQ(delegates->rowCount(), 1);
    EXPECT_EQ(delegates->item(0, 1)->text(), "Delegate of the second");
}

TEST_F(FrmMeeOutTest, LeavingEndsWithOk)
{
    hub->hide();
    QTimer::singleShot(0, [this] { click(FrmMeeOut::kExitButton); });
    EXPECT_EQ(hub->exec(), QDialog::Accepted);
    QTimer::singleShot(0, [this] { hub->close(); });
    EXPECT_EQ(hub->exec(), QDialog::Accepted);
}

} // namespace
