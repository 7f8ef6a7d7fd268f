#include "meeting/FrmKeyMonitor.h"

#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "prep/DelegateTable.h"
#include "support/ConsoleTest.h"
#include "support/MemoryPipe.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QScrollBar>
#include <QTableWidget>

#include <memory>

namespace {

const QString kMeeting = QStringLiteral("Plenary");

class FrmKeyMonitorTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        Schema::createMeetingDatabase(kMeeting);
        link = std::make_unique<Link>(bank.factory());
    }

    void TearDown() override
    {
        monitor.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

    // Named "Delegate n", or with made-up Chinese names for the pictures.
    void addDelegates(int count, bool chineseNames = false)
    {
        const QString family = QStringLiteral("王李张刘陈杨赵黄周吴");
        const QString given = QStringLiteral("伟芳娜敏静丽强磊军洋勇艳杰娟涛");
        DelegateTable table;
        table.setMeeting(kMeeting);
        for (int n = 1; n <= count; ++n) {
            table.record = DelegateRecord();
            table.record.CellNo = QString::number(n);
            table.record.EmpName = chineseNames
                                       ? QString(family[n % 10]) + given[n % 15] + given[(n / 7) % 15]
                                       : QStringLiteral("Delegate %1").arg(n);
            ASSERT_TRUE(table.insert());
        }
    }

    FrmKeyMonitor& open(int units, int kind)
    {
        link->unitCount = units;
        monitor = std::make_unique<FrmKeyMonitor>(*link, clock, kMeeting, kind);
        monitor->show();
        return *monitor;
    }

    QTableWidget* list() { return findWidget<QTableWidget>(monitor.get(), FrmKeyMonitor::kList); }

    QString at(int row, int column)
    {
        const QTableWidgetItem* item = list()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }

    MemoryPortBank bank;
    std::unique_ptr<Link> link;
    std::unique_ptr<FrmKeyMonitor> monitor;
};

} // namespace

TEST_F(FrmKeyMonitorTest, EveryUnitInItsColumnGroup)
{
    addDelegates(30);
    open(30, 0);
    EXPECT_EQ(list()->columnCount(), 7);
    EXPECT_EQ(at(21, 1), "22");
    EXPECT_EQ(at(7, 4), "30");
    EXPECT_EQ(at(7, 5), "Delegate 30");
    EXPECT_EQ(at(7, 6), "----");
    EXPECT_EQ(at(8, 4), "<none>");
}

// All 249 units in each language, with pictures of both ends of the list.
TEST_F(FrmKeyMonitorTest, EveryUnitUpTo249WithinReach)
{
    addDelegates(249, true);
    for (int n = 1; n <= 249; ++n)
        link->unit(n).voteKeys = n % 7 == 0 ? 0 : (n % 11 == 0 ? 3 : 1 << (n % 5));
    for (const char* language : {"0", "1", "2"}) {
        useLanguage(language);
        open(249, 0);
        EXPECT_EQ(at(6, 34), "249");
        saveScreenshot(*monitor, QStringLiteral("monitor-%1").arg(language));
        list()->horizontalScrollBar()->setValue(list()->horizontalScrollBar()->maximum());
        saveScreenshot(*monitor, QStringLiteral("monitor-%1-end").arg(language));
        EXPECT_TRUE(list()->viewport()->rect().contains(list()->visualItemRect(list()->item(6, 36))));
    }
}

TEST_F(FrmKeyMonitorTest, KeysFollowTheVoteEachSecondByKind)
{
    const QString pressed = Texts("FrmKeyMonitor")("MsgPressed");
    ASSERT_FALSE(pressed.isEmpty());
    for (const int kind : {0, 2}) {
        link->unit(3).voteKeys = 0;
        link->unit(4).voteKeys = 0;
        open(30, kind);
        link->unit(3).voteKeys = 3; // keys 1 and 2 together
        link->unit(4).voteKeys = 0x24;
        clock.advance(999);
        EXPECT_EQ(monitor->cellText(3, 2), "----") << kind;
        clock.advance(1);
        EXPECT_EQ(monitor->cellText(3, 2), kind == 0 ? QString() : pressed) << kind;
        EXPECT_EQ(monitor->cellText(4, 2), pressed) << kind;
        EXPECT_EQ(monitor->cellText(5, 2), "----") << kind;
    }
}

TEST_F(FrmKeyMonitorTest, NamesAreReadOnceWhenItOpens)
{
    addDelegates(3);
    open(30, 0);
    DelegateTable table;
    table.setMeeting(kMeeting);
    ASSERT_TRUE(table.load("2"));
    table.record.EmpName = "Renamed";
    ASSERT_TRUE(table.update());
    clock.advance(3000);
    EXPECT_EQ(monitor->cellText(2, 1), "Delegate 2");
    EXPECT_EQ(monitor->cellText(4, 1), "");
}
