#include "meeting/KeyMonitorModel.h"

#include <gtest/gtest.h>

using namespace KeyMonitor;

TEST(KeyMonitor, UnitsFillColumnGroupsOf22Rows)
{
    // unitCount 30: units 1..22 in group 0, 23..30 in rows 0..7 of group 1.
    for (int unit = 1; unit <= 30; ++unit)
        EXPECT_EQ(place(unit), (unit <= 22 ? Place{unit - 1, 0} : Place{unit - 23, 1})) << unit;
    EXPECT_EQ(groupCount(30), 2);
    // Units beyond the designed eight groups still get one.
    EXPECT_EQ(place(177), (Place{0, 8}));
    EXPECT_EQ(place(249), (Place{6, 11}));
    EXPECT_EQ(groupCount(249), 12);
    EXPECT_EQ(rowCount(5), 5);
    EXPECT_EQ(column(1, 2), 6);
}

TEST(KeyMonitor, KeyStateByKind)
{
    const struct
    {
        int kind;
        int voteKeys;
        QString shown;
    } cases[] = {
        {0, 0, "----"}, {0, 16, "已按键"}, {0, 3, ""},        {2, 3, "已按键"},    {4, 31, "已按键"},
        {5, 24, ""},    {6, 4, "已按键"},  {0, 0x20, "----"}, {2, 0x21, "已按键"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stateText(keyState(c.kind, c.voteKeys), StateTexts()), c.shown)
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
    EXPECT_EQ(namesByUnit({delegate("5", "First"), delegate("5", "Second"), delegate("05", "Padded"),
                           delegate("251", "Beyond"), delegate("249", "Last")}),
              (QHash<int, QString>{{5, "First"}, {249, "Last"}}));
}
