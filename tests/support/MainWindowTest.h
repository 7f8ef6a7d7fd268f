#pragma once
// The whole console on its main window: the program's end and start-up values
// hooked for the test, the link settings stored as the settings page would,
// and the window built on a link with the login passed at once.

#include "app/AppContext.h"
#include "app/FrmMain.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "meeting/FrmMeestart.h"
#include "support/ConsoleTest.h"
#include "ui/ProgramEnd.h"

#include <memory>

class MainWindowTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        ProgramEnd::setHook([this](int code) { programEnds.append(code); });
        AppContext::setStartup({QStringLiteral("1"), QStringLiteral("main.png"), QStringLiteral("logo.png")});
    }
    void TearDown() override
    {
        window.reset();
        link.reset();
        FrmMeestart::setRunner({});
        AppContext::setStartup({});
        ProgramEnd::setHook({});
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
    // The window is built, not started: a test may still set the link's ports first.
    void createWindow(std::unique_ptr<Link> newLink, TimerService& timers)
    {
        link = std::move(newLink);
        window = std::make_unique<FrmMain>(*link, timers);
        window->setScreenSize([] { return QSize(1920, 1080); });
        window->setLoginRunner([] {});
    }

    std::unique_ptr<Link> link;
    std::unique_ptr<FrmMain> window;
    QList<int> programEnds;
};
