#pragma once
// The whole console on its main window: the start-up values in the test's
// services, the link settings stored as the settings page would, and the
// window built on a link with the login passed at once.

#include "app/FrmMain.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "meeting/FrmMeestart.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

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

    std::unique_ptr<Link> link;
    std::unique_ptr<FrmMain> window;
};
