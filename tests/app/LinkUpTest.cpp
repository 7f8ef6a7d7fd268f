// The console's start-up against the simulated controller over a
// pseudo-terminal, in real time: the link comes up, the main window shows, and
// a line check finds the units that are switched on.

#include "app/FrmMain.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"

#include "app/AppContext.h"
#include "core/TimerService.h"
#include "link/Link.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/SimulatorProcess.h"

#include <QLineEdit>
#include <QTest>

namespace {

class LinkUpTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        installTimers(nullptr); // real time: the bytes come through a real terminal
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        ProgramEnd::setHook([this](int code) { programEnds.append(code); });
        AppContext::setStartup({QStringLiteral("0"), QStringLiteral("main.png"), QStringLiteral("logo.png")});

        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, 6, 1, QString()));
        terminal = simulator.terminal();
    }
    void TearDown() override
    {
        window.reset();
        link.reset();
        AppContext::setStartup({});
        ProgramEnd::setHook({});
        ConsoleTest::TearDown();
    }

    SimulatorProcess simulator;
    QString terminal;
    std::unique_ptr<Link> link;
    std::unique_ptr<FrmMain> window;
    QList<int> programEnds;
};

TEST_F(LinkUpTest, MainWindowComesWithTheLinkAndTheLineCheckFindsTheUnits)
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    ASSERT_TRUE(settings.execute("update sysbasicset set cellnum = ?, comlow = ?, comHigh = ?", {6, 1, 2}));
    link = std::make_unique<Link>();
    link->setPortOverrides({{1, terminal}});
    window = std::make_unique<FrmMain>(*link, programTimers());
    window->setScreenSize([] { return QSize(1920, 1080); });
    window->setLoginRunner([] {});
    window->startUp();
    ASSERT_TRUE(window->statusDialog()->isVisible());

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 15000));
    EXPECT_FALSE(window->statusDialog()->isVisible());
    EXPECT_EQ(link->portPath(), terminal);
    EXPECT_EQ(link->onlineCount(), 6);
    saveScreenshot(*window, "main-linked");

    // Two units are switched off; the line check must tell them apart.
    ASSERT_TRUE(simulator.act("offline 2"));
    ASSERT_TRUE(simulator.act("offline 5"));
    QTest::mouseClick(window->button(FrmMain::kLineCheckButton), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
    FrmLink* check = window->lineCheck();
    ASSERT_NE(check, nullptr);
    QTest::mouseClick(check->findChild<PictureButton*>(FrmLink::kStartButton), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !check->isChecking(); }, 20000));
    EXPECT_EQ(check->findChild<QLineEdit*>(FrmLink::kOnlineCount)->text(), "4");
    EXPECT_EQ(check->findChild<QLineEdit*>(FrmLink::kOfflineCount)->text(), "2");
    EXPECT_EQ(link->unit(2).online, 0);
    EXPECT_EQ(link->unit(5).online, 0);
    saveScreenshot(*check, "linecheck-linked");

    QTest::mouseClick(check->findChild<PictureButton*>(FrmLink::kExitButton), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 5000));
    EXPECT_EQ(link->sequencerInterval(), 30);
    EXPECT_TRUE(programEnds.isEmpty());
}

} // namespace
