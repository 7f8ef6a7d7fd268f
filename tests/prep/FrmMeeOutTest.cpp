#include "prep/FrmMeeOut.h"
#include "support/ConsoleTest.h"
#include "prep/FrmMeeMat.h"
#include "prep/FrmMeeset.h"
#include "core/LanguageTable.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"
#include "PrepPagesSupport.h"
#include "data/Schema.h"

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
            MotionSettings kind;
            kind.kindText = Texts("Public")("VoteType1");
            MotionRules::fill(table.record, kind, QString());
            table.record.VoteState = Texts("FrmMeeMat")("DataNo");
            table.record.insertdate = QStringLiteral("202601010900%1").arg(second++, 2, 10, QLatin1Char('0'));
            ASSERT_TRUE(table.insert());
        }
    }

    QPushButton* button(const char* name)
    {
        auto* b = hub->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QTableWidget* meetingList() { return hub->meetingPage()->findChild<QTableWidget*>("1014"); }
    QStringList shownMotions()
    {
        auto* list = hub->motionPage()->findChild<QTableWidget*>("1025");
        QStringList titles;
        for (int row = 0; row < list->rowCount(); ++row)
            titles.append(list->item(row, 1)->text());
        return titles;
    }
    QString pageTitle() { return hub->findChild<QLabel*>("1355")->text(); }

    std::unique_ptr<FrmMeeOut> hub;
};

TEST_F(FrmMeeOutTest, OpensOnTheMeetingPageWithNothingToSwitchTo)
{
    EXPECT_EQ(hub->size(), QSize(1024, 741));
    EXPECT_EQ(hub->windowTitle(), Texts("FrmMeeOut")("DlgName"));
    const struct
    {
        const char* name;
        QRect place;
    } buttons[] = {{"IDC_FOUND_ADMEE", {20, 60, 150, 50}},
                   {"IDC_FOUND_ADOVE", {20, 160, 150, 50}},
                   {"IDC_FOUND_ADMAN", {20, 260, 150, 50}},
                   {"IDC_MEEFITOUT_EXIT", {20, 550, 150, 50}}};
    for (const auto& b : buttons) {
        EXPECT_EQ(QRect(button(b.name)->mapTo(hub.get(), QPoint(0, 0)), button(b.name)->size()), b.place)
            << b.name;
        EXPECT_FALSE(button(b.name)->text().isEmpty()) << b.name;
    }
    EXPECT_FALSE(button("IDC_FOUND_ADMEE")->isEnabled());
    EXPECT_FALSE(button("IDC_FOUND_ADOVE")->isEnabled());
    EXPECT_FALSE(button("IDC_FOUND_ADMAN")->isEnabled());
    EXPECT_TRUE(button("IDC_MEEFITOUT_EXIT")->isEnabled());
    EXPECT_TRUE(hub->meetingPage()->isVisible());
    EXPECT_FALSE(hub->motionPage()->isVisible());
    EXPECT_EQ(hub->meetingPage()->geometry(), QRect(198, 33, 818, 655));
    EXPECT_EQ(hub->motionPage()->geometry(), QRect(198, 33, 818, 655));
    EXPECT_EQ(pageTitle(), Texts("FrmMeeOut")("MsgClew2"));
    EXPECT_EQ(hub->findChild<QLabel*>("1354")->text(), Texts("FrmMeeOut")("MsgClew1"));
    EXPECT_TRUE(hub->findChild<QLabel*>("1522")->isVisible());
    EXPECT_FALSE(hub->findChild<QLabel*>("1521")->isVisible());
}

TEST_F(FrmMeeOutTest, MotionsPageShowsTheSelectedMeetingEachTime)
{
    clickRow(meetingList(), 0);
    EXPECT_TRUE(button("IDC_FOUND_ADOVE")->isEnabled());
    click("IDC_FOUND_ADOVE");
    EXPECT_TRUE(hub->motionPage()->isVisible());
    EXPECT_FALSE(hub->meetingPage()->isVisible());
    EXPECT_FALSE(button("IDC_FOUND_ADOVE")->isEnabled());
    EXPECT_TRUE(button("IDC_FOUND_ADMEE")->isEnabled());
    EXPECT_EQ(pageTitle(), Texts("FrmMeeOut")("MsgClew3"));
    EXPECT_EQ(hub->motionPage()->meetingName(), "First");
    EXPECT_EQ(shownMotions(), QStringList{"First motion"});

    click("IDC_FOUND_ADMEE");
    EXPECT_TRUE(hub->meetingPage()->isVisible());
    EXPECT_FALSE(hub->motionPage()->isVisible());
    EXPECT_FALSE(button("IDC_FOUND_ADMEE")->isEnabled());
    EXPECT_EQ(pageTitle(), Texts("FrmMeeOut")("MsgClew2"));
    clickRow(meetingList(), 1);
    click("IDC_FOUND_ADOVE");
    EXPECT_EQ(shownMotions(), (QStringList{"Second A", "Second B"}));

    // A motion added behind the page's back shows the next time the page is shown.
    addMeeting(QStringLiteral("Third"), QStringLiteral("20260303090000"), {});
    MotionTable table;
    table.setMeeting(QStringLiteral("Second"));
    table.record.OveName = QStringLiteral("Second C");
    table.record.insertdate = QStringLiteral("20260202100000");
    ASSERT_TRUE(table.insert());
    click("IDC_FOUND_ADMEE");
    click("IDC_FOUND_ADOVE");
    EXPECT_EQ(shownMotions(), (QStringList{"Second A", "Second B", "Second C"}));
}

TEST_F(FrmMeeOutTest, EditingOrDeletingTheMeetingLocksTheOtherPages)
{
    clickRow(meetingList(), 0);
    ASSERT_TRUE(button("IDC_FOUND_ADOVE")->isEnabled());
    QTest::mouseClick(hub->meetingPage()->findChild<QPushButton*>("IDC_EDITMOOT_BUTTON"), Qt::LeftButton);
    EXPECT_FALSE(button("IDC_FOUND_ADOVE")->isEnabled());
    EXPECT_FALSE(button("IDC_FOUND_ADMAN")->isEnabled());
    QTest::mouseClick(hub->meetingPage()->findChild<QPushButton*>("IDC_CANVMEE_BUTTON"), Qt::LeftButton);
    EXPECT_TRUE(button("IDC_FOUND_ADOVE")->isEnabled());

    prompts.answerNext(true);
    QTest::mouseClick(hub->meetingPage()->findChild<QPushButton*>("IDC_DELMOOT_BUTTON"), Qt::LeftButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(button("IDC_FOUND_ADOVE")->isEnabled());
    EXPECT_FALSE(button("IDC_FOUND_ADMAN")->isEnabled());
    // Without a selection no page can open a meeting database.
    hub->showMotions();
    EXPECT_FALSE(hub->motionPage()->isVisible());
}

TEST_F(FrmMeeOutTest, DelegatesButtonFollowsTheDelegatePage)
{
    ASSERT_NE(hub->delegatePage(), nullptr);
    ASSERT_TRUE(execute(Schema::meetingDatabasePath("Second"),
                        "insert into Employees(CellNo, EmpName) values('5', 'Delegate of the second')"));
    clickRow(meetingList(), 1);
    EXPECT_TRUE(button("IDC_FOUND_ADMAN")->isEnabled());
    click("IDC_FOUND_ADMAN");
    auto* delegates = hub->delegatePage()->findChild<QTableWidget*>("1048");
    ASSERT_NE(delegates, nullptr);
    ASSERT_EQ(delegates->rowCount(), 1);
    EXPECT_EQ(delegates->item(0, 1)->text(), "Delegate of the second");
    EXPECT_TRUE(hub->delegatePage()->isVisible());
    EXPECT_FALSE(hub->meetingPage()->isVisible());
    EXPECT_FALSE(button("IDC_FOUND_ADMAN")->isEnabled());
    EXPECT_TRUE(button("IDC_FOUND_ADOVE")->isEnabled());
    EXPECT_EQ(pageTitle(), Texts("FrmMeeOut")("MsgClew4"));
    EXPECT_TRUE(hub->findChild<QLabel*>("1521")->isVisible());
    EXPECT_FALSE(hub->findChild<QLabel*>("1522")->isVisible());
}

TEST_F(FrmMeeOutTest, LeavingEndsWithOk)
{
    hub->hide();
    QTimer::singleShot(0, [this] { click("IDC_MEEFITOUT_EXIT"); });
    EXPECT_EQ(hub->exec(), QDialog::Accepted);
    QTimer::singleShot(0, [this] { hub->close(); });
    EXPECT_EQ(hub->exec(), QDialog::Accepted);
}

} // namespace

namespace {

// The hub in Chinese and in Portuguese with each page: the panel keeps its
// colour, the page sits right of it, and the images go to CONSOLE_SCREENSHOT_DIR
// when that is set.
TEST_F(FrmMeeOutTest, EachPageIsDrawnBesideThePanel)
{
    addMeeting(QStringLiteral("第十四届人民代表大会第三次会议"), QStringLiteral("20260303090000"),
               {"关于政府工作报告的决议", "选举主任委员"});
    for (const char* language : {"0", "2"}) {
        hub.reset();
        useLanguage(QString::fromLatin1(language));
        hub = std::make_unique<FrmMeeOut>();
        hub->show();
        clickRow(meetingList(), 2);
        const QString folder = qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR");
        const struct
        {
            const char* button;
            const char* file;
        } pages[] = {{nullptr, "FrmMeeOut_meetings.png"},
                     {"IDC_FOUND_ADOVE", "FrmMeeOut_motions.png"},
                     {"IDC_FOUND_ADMAN", "FrmMeeOut_delegates.png"}};
        for (const auto& page : pages) {
            if (page.button)
                click(page.button);
            if (hub->motionPage()->isVisible())
                clickRow(hub->motionPage()->findChild<QTableWidget*>("1025"), 0);
            const QImage shot = hub->grab().toImage();
            ASSERT_EQ(shot.size(), QSize(1024, 741));
            const QColor panel = shot.pixelColor(5, 700);
            EXPECT_LT(panel.lightness(), 80) << page.file;
            EXPECT_GT(panel.blue(), panel.red()) << page.file;
            EXPECT_GT(shot.pixelColor(600, 700).lightness(), 200) << page.file; // the light page side
            if (!folder.isEmpty())
                shot.save(folder + QStringLiteral("/%1_%2").arg(language, page.file));
        }
        EXPECT_EQ(pageTitle(), Texts("FrmMeeOut")("MsgClew4"));
    }
}

} // namespace
