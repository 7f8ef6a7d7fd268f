// The line check window shows its procedure; the wire is checked in LineCheckProcedureTest.

#include "link/FrmLink.h"
#include "LinkPagesFixture.h"
#include "support/Screenshot.h"
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
    static QString cell(FrmLink& window, int row, int column)
    {
        const QTableWidgetItem* item = window.findChild<QTableWidget*>(FrmLink::kGrid)->item(row, column);
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
};

TEST_F(FrmLinkTest, OpensWithTotalAndEmptyGrid)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(31));
    FrmLink window(*link, clock);
    window.show();
    EXPECT_EQ(window.size(), QSize(1024, 741));
    EXPECT_EQ(count(window, FrmLink::kTotalCount), "31");
    EXPECT_EQ(count(window, FrmLink::kOnlineCount), "0");
    EXPECT_EQ(count(window, FrmLink::kOfflineCount), "0");
    auto* grid = window.findChild<QTableWidget*>(FrmLink::kGrid);
    EXPECT_EQ(grid->columnCount(), 19);
    EXPECT_EQ(grid->rowCount(), 0) << "rows appear with the first check";
    EXPECT_EQ(grid->horizontalHeaderItem(18)->text(), "State");
}

TEST_F(FrmLinkTest, CheckShowsProgressCountsAndUnitsInTheirColumns)
{
    units = {{1, 0x80}, {2, 0xA0}, {5, 0x00}, {30, 0x80}, {31, 0x80}};
    ASSERT_TRUE(connectLink(31));
    hall.unit(2).present = false;
    FrmLink window(*link, clock);
    window.show();
    QTest::mouseClick(button(window, FrmLink::kStartButton), Qt::LeftButton);
    EXPECT_FALSE(button(window, FrmLink::kStartButton)->isEnabled());
    EXPECT_EQ(state(window, 2), "-----");
    auto* progress = window.findChild<QProgressBar*>(FrmLink::kProgressBar);
    clock.advance(LinkTiming::kLineCheckCycleDelayMs + 2 * LinkTiming::kLineCheckProgressMs);
    EXPECT_EQ(progress->value(), 20);
    EXPECT_EQ(count(window, FrmLink::kOnlineCount), "1") << "the counts follow while checking";

    ASSERT_TRUE(
        clock.advanceUntil([&] { return button(window, FrmLink::kStartButton)->isEnabled(); }, 60000, 50));
    EXPECT_FALSE(window.isChecking());
    EXPECT_EQ(progress->value(), 0);
    EXPECT_EQ(count(window, FrmLink::kOnlineCount), "4");
    EXPECT_EQ(count(window, FrmLink::kOfflineCount), "27");
    EXPECT_EQ(count(window, FrmLink::kTotalCount), "31");
    for (int unit : {1, 5, 30, 31})
        EXPECT_EQ(state(window, unit), "Online") << unit;
    for (int unit : {2, 3, 29})
        EXPECT_EQ(state(window, unit), "-----") << unit;
    // Unit 31 opens the second pair of columns; unit 30 closes the first.
    EXPECT_EQ(cell(window, 0, 3), "31");
    EXPECT_EQ(cell(window, 29, 1), "30");
    EXPECT_EQ(cell(window, 1, 3), "");
    EXPECT_EQ(window.findChild<QTableWidget*>(FrmLink::kGrid)->rowCount(), 30);
    saveScreenshot(window, "linecheck");
}

TEST_F(FrmLinkTest, ExitAndCloseBoxLeaveAndBringTheMainWindowBack)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(3));
    QSignalSpy shown(link.get(), &Link::showMainWindow);
    auto* window = new FrmLink(*link, clock);
    QPointer<FrmLink> guard(window);
    window->show();
    QTest::mouseClick(button(*window, FrmLink::kStartButton), Qt::LeftButton);
    clock.advance(2000);
    // Enter and Escape do nothing.
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());

    QTest::mouseClick(button(*window, FrmLink::kExitButton), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kFastPaceMs);
    clock.advance(LinkTiming::kFastPaceMs);
    EXPECT_EQ(shown.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window is destroyed";

    window = new FrmLink(*link, clock);
    guard = window;
    window->show();
    QTest::mouseClick(button(*window, FrmLink::kStartButton), Qt::LeftButton);
    window->close();
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kFastPaceMs);
    EXPECT_EQ(link->showMainWindowRequest, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

} // namespace
