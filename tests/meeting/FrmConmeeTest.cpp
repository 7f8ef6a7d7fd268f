#include "MeetingHubFixture.h"

#include "core/ProgramFolder.h"
#include "meeting/FrmMeeVote.h"
#include "meeting/FrmMeestart.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>

namespace {

class FrmConmeeTest : public MeetingHubFixture
{
protected:
    void SetUp() override
    {
        MeetingHubFixture::SetUp();
        addMeeting(QStringLiteral("Council"), 40, 40);
    }
    QString hint() const { return hub->findChild<QLabel*>("HubHint")->text(); }
    bool hintShown() const { return hub->findChild<QLabel*>("HubHint")->isVisible(); }
};

} // namespace

TEST_F(FrmConmeeTest, InstallationTypeOneHidesDiscussionAndOpensOnSignIn)
{
    connectHall(40);
    openHub("1");
    EXPECT_FALSE(child<QPushButton>(FrmConmee::kSpeakButton)->isVisible());
    EXPECT_EQ(hub->speakPage(), nullptr);
    EXPECT_EQ(hub->currentPage(), hub->signInPage());
    EXPECT_FALSE(child<QPushButton>(FrmConmee::kSignInButton)->isEnabled());
    EXPECT_EQ(hub->progressWindow(), nullptr);
    hub.reset();

    // With discussion the empty speaking place comes first, and a progress
    // window closes itself after about unitCount x 100 ms.
    openHub("0");
    EXPECT_TRUE(child<QPushButton>(FrmConmee::kSpeakButton)->isVisible());
    EXPECT_EQ(hub->currentPage(), hub->speakPage());
    EXPECT_TRUE(hintShown());
    QDialog* progress = hub->progressWindow();
    ASSERT_NE(progress, nullptr);
    clock.advance(40 * 100 - 100);
    EXPECT_TRUE(progress->isVisible());
    clock.advance(100);
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(FrmConmeeTest, EveryButtonIsRefusedWhileASignInRunsAndNothingChanges)
{
    connectHall(40);
    openHub("1");
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

TEST_F(FrmConmeeTest, LeavingAsksAndNoKeepsTheMeetingOpen)
{
    connectHall(40);
    openHub("1");
    prompts.answerNext(false);
    click(FrmConmee::kExitButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave this meeting?"});
    EXPECT_TRUE(hub->isVisible());

    // The close box asks the same question.
    prompts.answerNext(true);
    hub->close();
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave this meeting?"});
    EXPECT_FALSE(hub->isVisible());
    EXPECT_EQ(hub->result(), QDialog::Rejected);
}

TEST_F(FrmConmeeTest, ChooserCancelLeavesTheHubWithoutPagesAndOkOpensTheMeeting)
{
    connectHall(40);
    screen = std::make_unique<FrmScr>();
    hub = std::make_unique<FrmConmee>(*link, clock, *screen, "1");
    FrmMeestart::setRunner([](FrmMeestart& shown) {
        clickButton(&shown, FrmMeestart::kCancelButton);
        return shown.result();
    });
    EXPECT_FALSE(hub->chooseMeeting());
    EXPECT_EQ(hub->signIn(), nullptr);

    FrmMeestart::setRunner([](FrmMeestart& shown) {
        shown.chooseRow(0);
        clickButton(&shown, FrmMeestart::kOkButton);
        return shown.result();
    });
    EXPECT_TRUE(hub->chooseMeeting());
    FrmMeestart::setRunner({});
    EXPECT_EQ(hub->meeting().MeeName, "Council");
    ASSERT_NE(hub->signInPage(), nullptr);
    EXPECT_EQ(hub->signInPage()->gridText(40, 1), "Delegate 40");
}

TEST_F(FrmConmeeTest, MenuReloadsMotionsAfterPreparationAndShowsTheBannerAgain)
{
    // A banner for the meeting, shown on the hall screen when the hub opens.
    const QString bannerFile = meeting.insertdate + ".rtf";
    ASSERT_TRUE(QDir().mkpath(ProgramFolder::filePath(MeetingFiles::bannerFolder())));
    QFile banner(ProgramFolder::filePath(MeetingFiles::banner(bannerFile)));
    ASSERT_TRUE(banner.open(QIODevice::WriteOnly));
    banner.write("{\\rtf1\\ansi Welcome to the council}");
    banner.close();
    meeting.bannerPath = bannerFile;
    connectHall(40);
    openHub("1");
    EXPECT_EQ(screen->surface(), FrmScr::Surface::TextArea);
    EXPECT_EQ(screen->textArea()->toPlainText().trimmed(), "Welcome to the council");

    QList<QString> areas;
    hub->setAreaRunner([&](QDialog& window) {
        areas << window.objectName();
        return int(QDialog::Accepted);
    });
    int reloads = 0;
    QObject::connect(hub.get(), &FrmConmee::motionListChanged, [&] { ++reloads; });
    auto trigger = [this](const char* item) { hub->menu()->findChild<QAction*>(item)->trigger(); };

    trigger(FrmConmee::kPreparationItem);
    EXPECT_EQ(areas, QList<QString>{"FrmMeeOut"});
    EXPECT_EQ(reloads, 1);

    screen->clearText();
    screen->showPanel();
    trigger(FrmConmee::kBannerItem);
    EXPECT_EQ(screen->surface(), FrmScr::Surface::TextArea);
    EXPECT_EQ(screen->textArea()->toPlainText().trimmed(), "Welcome to the council");
}
