#include "MeetingHubFixture.h"

#include "data/DbAccess.h"
#include "meeting/FrmMeeVote.h"
#include "meeting/VoteSession.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextDocument>

TEST_F(MeetingHubFixture, EveryButtonIsRefusedWhileASignInRunsAndNothingChanges)
{
    openCouncil();
    int areas = 0;
    hub->setAreaRunner([&](QDialog&) { return ++areas, int(QDialog::Accepted); });
    click(FrmManChe::kStartButton);
    ASSERT_TRUE(reach(SignInSession::State::Collecting, 5000));
    for (const char* button : {FrmConmee::kVoteButton, FrmConmee::kFileButton, FrmConmee::kInsertButton,
                               FrmConmee::kMenuButton, FrmConmee::kExitButton}) {
        click(button);
        EXPECT_EQ(prompts.takeTexts(), QStringList{"A sign-in is in progress. End the sign-in first."})
            << button;
        EXPECT_EQ(hub->currentPage(), hub->signInPage()) << button;
    }
    EXPECT_FALSE(hub->menu()->isVisible());
    EXPECT_TRUE(hub->isVisible());
    EXPECT_EQ(areas, 0);
    EXPECT_EQ(session().state(), SignInSession::State::Collecting);

    // Once the sign-in has ended the same button goes through.
    endSignIn();
    click(FrmConmee::kVoteButton);
    EXPECT_TRUE(prompts.takeTexts().isEmpty());
    EXPECT_EQ(hub->currentPage(), static_cast<QWidget*>(hub->votePage()));
}

TEST_F(MeetingHubFixture, TypeOneOpensOnSignInWithoutDiscussionAndLeavingAsks)
{
    openCouncil();
    EXPECT_FALSE(hub->hasDiscussion());
    EXPECT_FALSE(child<QPushButton>(FrmConmee::kSpeakButton)->isVisible());
    EXPECT_EQ(hub->currentPage(), static_cast<QWidget*>(hub->signInPage()));
    EXPECT_FALSE(child<QPushButton>(FrmConmee::kSignInButton)->isEnabled()); // the current page's button
    prompts.answerNext(false);
    click(FrmConmee::kExitButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave this meeting?"});
    EXPECT_TRUE(hub->isVisible());
    prompts.answerNext(true);
    click(FrmConmee::kExitButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(hub->isVisible());
}

TEST_F(MeetingHubFixture, ShowingTheBannerAgainWithoutOneLeavesTheHallAsItIsAndSaysWhy)
{
    openCouncil();
    ASSERT_TRUE(meeting.bannerFile.isEmpty());
    screen->setPlainText(QStringLiteral("Agenda item 3"));
    hub->menu()->findChild<QAction*>(FrmConmee::kBannerItem)->trigger();
    EXPECT_EQ(screen->textDocument()->toPlainText(), "Agenda item 3");
    EXPECT_EQ(child<QLabel>("HubHint")->text(),
              "This meeting has no banner: the hall screen stays as it is.");
    EXPECT_TRUE(prompts.takeTexts().isEmpty()); // said on the page, not in a box
}

namespace {

// The meeting database is held by another program while a vote runs: every
// write of the running count (each 500 ms) fails.
class StoreFailingDuringAVote : public MeetingHubFixture, public ::testing::WithParamInterface<const char*>
{
protected:
    VoteSession& vote() { return hub->votePage()->session(); }
    bool reachVote(VoteSession::State state)
    {
        return clock.advanceUntil([&] { return vote().state() == state; }, 30000);
    }
    void holdDatabase(DbAccess& holder) const
    {
        holder.connect(Schema::meetingDatabasePath(meeting.name));
        ASSERT_TRUE(holder.isConnected());
    }
    bool writeFromAnotherPage() const
    {
        return DbAccess::executeOnce(Schema::meetingDatabasePath(meeting.name),
                                     QStringLiteral("update Overture set Unit = Unit"));
    }
    QWidget* bar() const { return hub->messageBar(); }
};

} // namespace

TEST_P(StoreFailingDuringAVote, IsOneBarAndNoBoxAndTheVoteEndsAndStoresWhatItCan)
{
    useLanguage(QString::fromLatin1(GetParam()));
    addMeeting(QStringLiteral("Council"), 40, 40);
    const Motion budget = MeetingTestData::addMotion(meeting.name, QStringLiteral("Budget"), 0,
                                                     QStringLiteral("20260301100001"));
    connectHall(40);
    openHub();
    collect(QStringLiteral("signin 1-30"));
    endSignIn();
    click(FrmConmee::kVoteButton);
    auto* list = child<QTableView>(FrmMeeVote::kMotionList);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 1)).center());
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reachVote(VoteSession::State::Collecting));
    QSignalSpy told(&vote(), &VoteSession::storeFailed);

    {
        DbAccess holder;
        holdDatabase(holder);
        ASSERT_TRUE(hall->act(QStringLiteral("press 1-18 1")));
        clock.advance(5000);
        // Another page's write fails too: the same bar, still no box.
        EXPECT_FALSE(writeFromAnotherPage());
        EXPECT_TRUE(prompts.pending().isEmpty()) << prompts.takeTexts().join('\n').toStdString();
        EXPECT_EQ(told.size(), 1) << "ten failed writes, told once";
        ASSERT_TRUE(bar()->isVisible());
        EXPECT_EQ(hub->findChildren<QWidget*>(QStringLiteral("HubMessageBar")).size(), 1);
        const QString text = findWidget<QLabel>(bar(), "HubMessageText")->text();
        EXPECT_EQ(text, Texts("FrmConmee")("MsgStoreFailed").arg(QStringLiteral("database is locked")));
        EXPECT_EQ(vote().state(), VoteSession::State::Collecting);
        saveScreenshot(*hub, QStringLiteral("hub-store-failed-%1").arg(QLatin1String(GetParam())));
    }

    // The database is back: the vote ends as usual and its result is stored.
    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reachVote(VoteSession::State::Idle));
    clock.advance(LinkTiming::kFastPaceMs);
    EXPECT_FALSE(vote().isHeld());
    EXPECT_TRUE(MeetingTestData::storedMotion(meeting.name, budget.key).result.startsWith("1:40:30:18:"));
    EXPECT_TRUE(prompts.pending().isEmpty());

    // Closed by the operator; once the vote has ended a failure is told in a box again.
    clickButton(bar(), "HubMessageClose");
    EXPECT_FALSE(bar()->isVisible());
    DbAccess holder;
    holdDatabase(holder);
    EXPECT_FALSE(writeFromAnotherPage());
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_FALSE(bar()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Languages, StoreFailingDuringAVote, ::testing::Values("1", "2", "0"));

using StoreFailingDuringASignIn = StoreFailingDuringAVote;

TEST_F(StoreFailingDuringASignIn, IsOneBarAndNoBoxAndTheArrivalsAreStoredWhenTheDatabaseIsBack)
{
    openCouncil();
    QSignalSpy told(&session(), &SignInSession::storeFailed);
    click(FrmManChe::kStartButton);
    ASSERT_TRUE(reach(SignInSession::State::Collecting, 5000));
    {
        DbAccess holder;
        holdDatabase(holder);
        ASSERT_TRUE(hall->act(QStringLiteral("signin 1-30")));
        clock.advance(3000);
        EXPECT_TRUE(prompts.pending().isEmpty());
        EXPECT_EQ(told.size(), 1);
        EXPECT_TRUE(bar()->isVisible());
    }
    endSignIn();
    EXPECT_TRUE(prompts.pending().isEmpty());
    EXPECT_EQ(MeetingTable().find(meeting.name).value_or(Meeting{}).present, 30);
}
