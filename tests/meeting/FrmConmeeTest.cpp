#include "MeetingHubFixture.h"

#include "meeting/FrmMeeVote.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
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
