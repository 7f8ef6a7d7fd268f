// The line check window shows its procedure; the wire is checked in LineCheckProcedureTest.

#include "link/FrmLink.h"
#include "LinkPagesFixture.h"
#include "support/Screenshot.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
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
    static PictureButton* button(FrmLink& window, const char* control)
    {
        return window.findChild<PictureButton*>(control);
    }
};

TEST_F(FrmLinkTest, CheckShowsProgressAndUnitsInTheirColumns)
{
    units = {{1, 0x80}, {2, 0xA0}, {5, 0x00}, {30, 0x80}, {31, 0x80}};
    ASSERT_TRUE(connectLink(31));
    hall.unit(2).present = false;
    FrmLink window(*link, clock);
    window.show();
    QTest::mouseClick(button(window, FrmLink::kStartButton), Qt::LeftButton);
    auto* status = window.findChild<QLabel*>(FrmLink::kStatus);
    EXPECT_EQ(status->text(), "Checking the line…");
    clock.advance(LinkTiming::kLineCheckCycleDelayMs + 2 * LinkTiming::kLineCheckProgressMs);
    EXPECT_EQ(window.findChild<QProgressBar*>(FrmLink::kProgressBar)->value(), 20);
    EXPECT_EQ(window.findChild<QLineEdit*>(FrmLink::kOnlineCount)->text(), "1") << "counts follow the check";
    // Not yet asked, or not yet answered: neither is called offline while the cycle runs.
    EXPECT_EQ(cell(window, FrmLink::rowOf(2), FrmLink::numberColumnOf(2) + 1), "waiting");
    EXPECT_EQ(cell(window, FrmLink::rowOf(30), FrmLink::numberColumnOf(30) + 1), "waiting");
    EXPECT_EQ(window.findChild<QLineEdit*>(FrmLink::kOfflineCount)->text(), QString());

    ASSERT_TRUE(
        clock.advanceUntil([&] { return button(window, FrmLink::kStartButton)->isEnabled(); }, 60000, 50));
    for (int unit : {1, 2, 5, 30, 31})
        EXPECT_EQ(cell(window, FrmLink::rowOf(unit), FrmLink::numberColumnOf(unit) + 1),
                  unit == 2 ? "-----" : "Online")
            << unit;
    // Only five of the 31 units answer, and unit 2 is gone.
    EXPECT_EQ(window.findChild<QLineEdit*>(FrmLink::kOfflineCount)->text(), "27");
    EXPECT_EQ(status->text(), "The check has finished: 4 online, 27 offline.");
    // Unit 31 opens the second pair of columns; unit 30 closes the first.
    EXPECT_EQ(cell(window, 0, 3), "31");
    EXPECT_EQ(cell(window, 29, 1), "30");
    saveScreenshot(window, "linecheck");
}

// The exit button is followed from the main window in FrmMainTest.
TEST_F(FrmLinkTest, CloseBoxLeavesLikeExitAndEnterOrEscapeDoNot)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(3));
    auto* window = new FrmLink(*link, clock);
    QPointer<FrmLink> guard(window);
    window->show();
    QTest::mouseClick(button(*window, FrmLink::kStartButton), Qt::LeftButton);
    clock.advance(2000);
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());

    window->close();
    EXPECT_TRUE(link->showMainWindowPending());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window is destroyed";
}

} // namespace
