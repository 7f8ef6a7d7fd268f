// The line check window against the in-memory controller, in virtual time.

#include "link/FrmLink.h"
#include "LinkPagesFixture.h"
#include "ui/PictureButton.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

class FrmLinkTest : public LinkPagesTest
{
protected:
    std::unique_ptr<FrmLink> open()
    {
        auto window = std::make_unique<FrmLink>(*link, clock);
        window->show();
        return window;
    }

    static QString cell(FrmLink& window, int row, int column)
    {
        const QTableWidgetItem* item = window.findChild<QTableWidget*>("1009")->item(row, column);
        return item ? item->text() : QString();
    }
    static QString state(FrmLink& window, int unit)
    {
        return cell(window, FrmLink::rowOf(unit), FrmLink::numberColumnOf(unit) + 1);
    }
    static QString count(FrmLink& window, const char* control)
    {
        return window.findChild<QLineEdit*>(control)->text();
    }
    static PictureButton* button(FrmLink& window, const char* control)
    {
        return window.findChild<PictureButton*>(control);
    }

    // Clicks start and runs the clock until the start button is enabled again.
    bool runCheck(FrmLink& window)
    {
        QTest::mouseClick(button(window, "1136"), Qt::LeftButton);
        return clock.advanceUntil([&] { return button(window, "1136")->isEnabled(); }, 200000, 50);
    }
};

TEST_F(FrmLinkTest, OpensWithTotalAndEmptyGrid)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(31));
    auto window = open();
    EXPECT_EQ(window->windowTitle(), "Line Check");
    EXPECT_EQ(window->size(), QSize(1024, 741));
    EXPECT_EQ(count(*window, "1133"), "31");
    EXPECT_EQ(count(*window, "1134"), "0");
    EXPECT_EQ(count(*window, "1135"), "0");
    auto* grid = window->findChild<QTableWidget*>("1009");
    EXPECT_EQ(grid->columnCount(), 19);
    EXPECT_EQ(grid->rowCount(), 0) << "rows appear with the first check";
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Unit");
    EXPECT_EQ(grid->horizontalHeaderItem(18)->text(), "State");
    EXPECT_EQ(button(*window, "1136")->accessibleName(), "Line Check");
    EXPECT_EQ(button(*window, "1138")->accessibleName(), "Back");
    EXPECT_EQ(window->findChild<QProgressBar*>("1137")->value(), 0);
}

TEST_F(FrmLinkTest, CheckCountsAnsweringUnitsAndPlacesThemInColumns)
{
    units = {{1, 0x80}, {2, 0xA0}, {5, 0x00}, {30, 0x80}, {31, 0x80}};
    ASSERT_TRUE(connectLink(31));
    // A unit that answered at start-up but is silent now must not stay online.
    units.remove(2);
    ASSERT_EQ(link->unit(2).online, 1);

    auto window = open();
    QTest::mouseClick(button(*window, "1136"), Qt::LeftButton);
    EXPECT_FALSE(button(*window, "1136")->isEnabled());
    EXPECT_TRUE(window->isChecking());
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kSlowPaceMs);
    EXPECT_EQ(link->unit(2).online, 0) << "every online flag is cleared when a check starts";
    EXPECT_EQ(state(*window, 2), "-----");

    ASSERT_TRUE(clock.advanceUntil([&] { return button(*window, "1136")->isEnabled(); }, 200000, 50));

    // ControlBegin, one poll per unit, ControlEnd; nothing else.
    QList<quint32> expected{Commands::kControlBegin};
    for (int unit = 1; unit <= 31; ++unit)
        expected.append(Commands::kPollBase | quint32(unit));
    expected.append(Commands::kControlEnd);
    EXPECT_EQ(bank.sentWords(), expected);
    // At the slow pace the polls are 500 ms apart.
    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    EXPECT_EQ(sent[2].time - sent[1].time, LinkTiming::kSlowPaceMs);

    EXPECT_EQ(count(*window, "1134"), "4");
    EXPECT_EQ(count(*window, "1135"), "27");
    EXPECT_EQ(count(*window, "1133"), "31");
    for (int unit : {1, 5, 30, 31})
        EXPECT_EQ(state(*window, unit), "Online") << unit;
    for (int unit : {2, 3, 29})
        EXPECT_EQ(state(*window, unit), "-----") << unit;

    // Unit 31 opens the second pair of columns; unit 30 closes the first.
    EXPECT_EQ(cell(*window, 0, 3), "31");
    EXPECT_EQ(cell(*window, 29, 1), "30");
    EXPECT_EQ(cell(*window, 0, 1), "1");
    EXPECT_EQ(cell(*window, 1, 3), "");
    EXPECT_EQ(window->findChild<QTableWidget*>("1009")->rowCount(), 30);
    EXPECT_EQ(window->findChild<QProgressBar*>("1137")->value(), 0);
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kSlowPaceMs) << "slow until the window is left";
    saveScreenshot(*window, "linecheck");
}

TEST_F(FrmLinkTest, ProgressMovesAndCountsFollowWhileChecking)
{
    units = {{1, 0x80}, {2, 0x80}, {3, 0x80}, {4, 0x80}};
    ASSERT_TRUE(connectLink(40));
    auto window = open();
    QTest::mouseClick(button(*window, "1136"), Qt::LeftButton);
    auto* progress = window->findChild<QProgressBar*>("1137");
    // Timer 1 (500 ms) asks for the cycle; timer 2 then ticks every 500 ms.
    clock.advance(1000);
    EXPECT_EQ(progress->value(), 10);
    clock.advance(500);
    EXPECT_EQ(progress->value(), 20);
    ASSERT_TRUE(clock.advanceUntil([&] { return count(*window, "1134") == "4"; }, 10000, 50));
    EXPECT_TRUE(window->isChecking()) << "the counts show before the cycle ends";
    EXPECT_EQ(count(*window, "1135"), "36");
}

TEST_F(FrmLinkTest, CheckWithoutUnitsStillFramesTheLine)
{
    units = {{1, 0x80}}; // the controller answers the search through unit 1
    ASSERT_TRUE(connectLink(0));
    auto window = open();
    ASSERT_TRUE(runCheck(*window));
    EXPECT_EQ(bank.sentWords(), (QList<quint32>{Commands::kControlBegin, Commands::kControlEnd}));
    EXPECT_EQ(count(*window, "1133"), "0");
    EXPECT_EQ(count(*window, "1134"), "0");
    EXPECT_EQ(count(*window, "1135"), "0");
}

TEST_F(FrmLinkTest, LeavingRestoresThePaceAndBringsTheMainWindowBack)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(3));
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    auto* window = new FrmLink(*link, clock);
    window->show();
    QPointer<FrmLink> guard(window);
    QTest::mouseClick(button(*window, "1136"), Qt::LeftButton);
    clock.advance(2000);
    ASSERT_TRUE(window->isChecking());
    ASSERT_EQ(link->sequencerInterval(), LinkTiming::kSlowPaceMs);

    // Enter and Escape do nothing.
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());

    QTest::mouseClick(button(*window, "1138"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kFastPaceMs);
    clock.advance(LinkTiming::kFastPaceMs);
    EXPECT_EQ(shown.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window is destroyed";

    // Its timers went with it: ControlEnd is not sent by a window that is gone,
    // but the cycle already asked for runs to its end.
    bank.clearSent();
    clock.advance(5000);
    EXPECT_FALSE(bank.sentWords().contains(Commands::kControlEnd));
}

TEST_F(FrmLinkTest, CloseBoxLeavesToo)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(3));
    auto* window = new FrmLink(*link, clock);
    window->show();
    QPointer<FrmLink> guard(window);
    QTest::mouseClick(button(*window, "1136"), Qt::LeftButton);
    window->close();
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kFastPaceMs);
    EXPECT_EQ(link->showMainWindowRequest, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

} // namespace
