#pragma once
// The whole console on its main window: the start-up values in the test's
// services, the link settings stored as the settings page would, and the
// window built on a link with the login passed at once.

#include "app/FrmMain.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "meeting/FrmMeestart.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"
#include "training/FrmHall.h"

#include <QLineEdit>

#include <memory>

class MainWindowTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        services.startup = {QStringLiteral("1"), QStringLiteral("main.png"), QStringLiteral("logo.png")};
    }
    void TearDown() override
    {
        window.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

    static void storeLinkSettings(int units, int chairs, int portLow, int portHigh)
    {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(
            settings.execute("update sysbasicset set cellnum = ?, cinnum = ?, comlow = ?, comHigh = ?",
                             {units, chairs, portLow, portHigh}));
    }
    // The meeting hub's chooser takes the first meeting.
    void chooseFirstMeeting()
    {
        services.runDialogs([](QDialog& dialog) {
            auto* chooser = qobject_cast<FrmMeestart*>(&dialog);
            EXPECT_NE(chooser, nullptr) << "only the meeting chooser runs through the services";
            if (!chooser)
                return int(QDialog::Rejected);
            chooser->chooseRow(0);
            clickButton(chooser, FrmMeestart::kOkButton);
            return chooser->result();
        });
    }
    // The window is built, not started: a test may still set the link's ports first.
    void createWindow(std::unique_ptr<Link> newLink)
    {
        link = std::move(newLink);
        window = std::make_unique<FrmMain>(*link, services);
        window->setScreenSize([] { return QSize(1920, 1080); });
        window->setLoginRunner([] {});
    }

    // In training: types the units into the hall window and presses one of its buttons.
    void hallAct(const QString& units, const char* button)
    {
        findWidget<QLineEdit>(window->hallWindow(), FrmHall::kUnits)->setText(units);
        clickButton(window->hallWindow(), button);
    }
    // In training, on the meeting hub: the hall signs `units` in, the sign-in ends and a
    // vote starts on the first motion.
    VoteSession& signInAndStartVote(FrmConmee& hub, const QString& units)
    {
        hub.show();
        SignInSession& signIn = *hub.signIn();
        clickButton(&hub, FrmManChe::kStartButton);
        EXPECT_TRUE(
            clock.advanceUntil([&] { return signIn.state() == SignInSession::State::Collecting; }, 5000));
        hallAct(units, FrmHall::kSignIn);
        clock.advance(3000);
        clickButton(&hub, FrmManChe::kEndButton);
        EXPECT_TRUE(clock.advanceUntil([&] { return signIn.state() == SignInSession::State::Idle; }, 30000));

        clickButton(&hub, FrmConmee::kVoteButton);
        FrmMeeVote& votePage = *hub.votePage();
        votePage.selectMotion(0);
        VoteSession& vote = votePage.session();
        clickButton(&hub, FrmMeeVote::kStartButton);
        EXPECT_TRUE(clock.advanceUntil([&] { return vote.state() == VoteSession::State::Collecting; }, 5000));
        return vote;
    }

    std::unique_ptr<Link> link;
    std::unique_ptr<FrmMain> window;
};
