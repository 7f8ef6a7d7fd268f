#include "meeting/FrmKeyMonitor.h"

#include "MeetingTestData.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "link/LinkTestSeam.h"
#include "support/ConsoleTest.h"
#include "support/MemoryPipe.h"
#include "support/WidgetFinder.h"

#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>

#include <memory>

namespace {

class FrmKeyMonitorTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting("Plenary", 249, 249); // "Delegate n" at each unit
        link = std::make_unique<Link>(bank.factory());
    }
    void TearDown() override
    {
        monitor.reset();
        link.reset();
        ConsoleTest::TearDown();
    }
    void open(int units, int kind)
    {
        link->setUnitCount(units);
        monitor = std::make_unique<FrmKeyMonitor>(*link, clock, "Plenary", kind);
        monitor->show();
    }

    int& keys(int unit) { return LinkTestSeam::unit(*link, unit).voteKeys; }

    MemoryPortBank bank;
    std::unique_ptr<Link> link;
    std::unique_ptr<FrmKeyMonitor> monitor;
};

} // namespace

TEST_F(FrmKeyMonitorTest, EveryUnitUpTo249WithinReach)
{
    open(249, 0);
    auto* list = findWidget<QTableWidget>(monitor.get(), FrmKeyMonitor::kList);
    EXPECT_EQ(list->item(6, 34)->text(), "249");
    EXPECT_EQ(list->item(6, 35)->text(), "Delegate 249");
    list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(6, 36))));
}

TEST_F(FrmKeyMonitorTest, KeysFollowTheVoteEachSecondByKind)
{
    const QString pressed = Texts("FrmKeyMonitor")("MsgPressed");
    ASSERT_FALSE(pressed.isEmpty());
    link->setSignedIn(3, true);
    link->setSignedIn(4, true);
    for (const int kind : {0, 2}) {
        keys(3) = 0;
        keys(4) = 0;
        open(30, kind);
        keys(3) = 3; // keys 1 and 2 together
        keys(4) = 0x24;
        keys(5) = 1; // never signed in: not counted, and said so
        clock.advance(999);
        EXPECT_EQ(monitor->cellText(3, 2), "----") << kind;
        clock.advance(1);
        EXPECT_EQ(monitor->cellText(3, 2), kind == 0 ? QString() : pressed) << kind;
        EXPECT_EQ(monitor->cellText(4, 2), pressed) << kind;
        EXPECT_EQ(monitor->cellText(5, 2), "Not signed in") << kind;
    }
}

TEST_F(FrmKeyMonitorTest, CountsThePressedAmongTheSignedInAndFitsAFewUnitsWithoutScrolling)
{
    for (const int unit : {2, 3, 7, 30})
        link->setSignedIn(unit, true);
    keys(2) = 1;
    keys(3) = 3; // two keys in a one-key vote: not a press that counts
    keys(9) = 1; // not signed in
    open(30, 0);
    auto* totals = findWidget<QLabel>(monitor.get(), FrmKeyMonitor::kTotals);
    EXPECT_EQ(totals->text(), "1 of 4 pressed");
    keys(30) = 4;
    clock.advance(1000);
    EXPECT_EQ(totals->text(), "2 of 4 pressed");

    // Two column groups: every cell in view, nothing to scroll, no empty band beside them.
    auto* list = findWidget<QTableWidget>(monitor.get(), FrmKeyMonitor::kList);
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    for (const auto& [row, column] : {std::pair{21, 3}, std::pair{7, 6}})
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row, column))))
            << row << "," << column;
    const int used = list->columnViewportPosition(6) + list->columnWidth(6);
    EXPECT_LE(list->viewport()->width() - used, 2);
    EXPECT_LT(monitor->width(), 1024);
}
