// The console's start-up against the simulated controller over a
// pseudo-terminal, in real time: the link comes up, the main window shows, and
// a line check finds the units that are switched on.

#include "ui/PictureButton.h"

#include "core/TimerService.h"
#include "link/LinkTiming.h"
#include "support/MainWindowTest.h"
#include "support/Screenshot.h"
#include "support/SimulatorProcess.h"

#include <QLineEdit>
#include <QTest>

namespace {

class LinkUpTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        services.timers = nullptr; // real time: the bytes come through a real terminal
        services.startup.function = QStringLiteral("0");
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, 6, 1, QString()));
        terminal = simulator.terminal();
    }

    SimulatorProcess simulator;
    QString terminal;
};

TEST_F(LinkUpTest, MainWindowComesWithTheLinkAndTheLineCheckFindsTheUnits)
{
    storeLinkSettings(6, 1, 1, 2);
    createWindow(std::make_unique<Link>());
    link->setPortOverrides({{1, terminal}});
    window->startUp();
    ASSERT_TRUE(window->statusDialog()->isVisible());

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 15000));
    EXPECT_FALSE(window->statusDialog()->isVisible());
    EXPECT_EQ(link->portPath(), terminal);
    // The last unit's answer may still be on the wire when the window shows.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return link->onlineCount() == 6; }, LinkTiming::kStartupControlEndDelayMs))
        << link->onlineCount();
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
    saveScreenshot(*check, "linecheck-linked");
}

} // namespace
