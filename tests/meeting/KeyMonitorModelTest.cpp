#include "meeting/KeyMonitorModel.h"

#include "link/Link.h"
#include "support/MemoryPipe.h"

#include <gtest/gtest.h>

using namespace KeyMonitor;

TEST(KeyMonitor, ThirtyUnitsFillGroupZeroAndEightRowsOfGroupOne)
{
    for (int unit = 1; unit <= 22; ++unit)
        EXPECT_EQ(place(unit), (Place{unit - 1, 0})) << unit;
    for (int unit = 23; unit <= 30; ++unit)
        EXPECT_EQ(place(unit), (Place{unit - 23, 1})) << unit;
    EXPECT_EQ(groupCount(30), 2);
    EXPECT_EQ(rowCount(30), 22);
    EXPECT_EQ(column(1, 0), 4);
    EXPECT_EQ(column(1, 2), 6);
}

TEST(KeyMonitor, EveryUnitUpTo249HasAPlace)
{
    EXPECT_EQ(place(176), (Place{21, 7}));
    EXPECT_EQ(place(177), (Place{0, 8}));
    EXPECT_EQ(place(249), (Place{6, 11}));
    EXPECT_EQ(groupCount(249), 12);
    EXPECT_EQ(groupCount(22), 1);
    EXPECT_EQ(groupCount(0), 0);
    EXPECT_EQ(rowCount(5), 5);
}

TEST(KeyMonitor, KeyStateByKind)
{
    const StateTexts texts;
    struct Case
    {
        int kind;
        int voteKeys;
        QString shown;
    } cases[] = {
        {0, 0, "----"},    {0, 1, "已按键"}, {0, 16, "已按键"}, {0, 3, ""},        {2, 3, "已按键"},
        {4, 31, "已按键"}, {5, 24, ""},      {6, 4, "已按键"},  {0, 0x20, "----"}, {2, 0x21, "已按键"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stateText(keyState(c.kind, c.voteKeys), texts), c.shown)
            << "kind " << c.kind << " keys " << c.voteKeys;
}

TEST(KeyMonitor, NamesOfTheFirstDelegateOfEachUnit)
{
    auto delegate = [](const char* unit, const char* name) {
        DelegateRecord d;
        d.CellNo = unit;
        d.EmpName = name;
        return d;
    };
    const QHash<int, QString> names =
        namesByUnit({delegate("5", "First"), delegate("5", "Second"), delegate("05", "Padded"),
                     delegate("251", "Beyond"), delegate("x", "Letters"), delegate("249", "Last")});
    EXPECT_EQ(names, (QHash<int, QString>{{5, "First"}, {249, "Last"}}));
}

TEST(KeyMonitor, OneRefreshCoversUnitsOneToUnitCount)
{
    MemoryPortBank bank;
    Link link(bank.factory());
    link.unitCount = 4;
    link.unit(1).voteKeys = 2;
    link.unit(2).voteKeys = 6;
    link.unit(5).voteKeys = 1; // beyond unitCount
    const StateTexts texts{"-", "pressed"};
    EXPECT_EQ(keyStateTexts(link, 1, texts), (QStringList{"pressed", "", "-", "-"}));
    EXPECT_EQ(keyStateTexts(link, 4, texts), (QStringList{"pressed", "pressed", "-", "-"}));
}
