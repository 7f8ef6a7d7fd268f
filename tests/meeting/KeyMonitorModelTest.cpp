#include "meeting/KeyMonitorModel.h"
#include "meeting/UnitGrid.h"

#include <gtest/gtest.h>

using namespace KeyMonitor;

TEST(KeyMonitor, UnitsFillColumnGroupsOf22Rows)
{
    // unitCount 30: units 1..22 in group 0, 23..30 in rows 0..7 of group 1.
    for (int unit = 1; unit <= 30; ++unit)
        EXPECT_EQ(UnitGrid::place(unit, kRows),
                  (unit <= 22 ? UnitGrid::Place{unit - 1, 0} : UnitGrid::Place{unit - 23, 1}))
            << unit;
    EXPECT_EQ(UnitGrid::groupCount(30, kRows), 2);
    // Units beyond the designed eight groups still get one.
    EXPECT_EQ(UnitGrid::place(249, kRows), (UnitGrid::Place{6, 11}));
    EXPECT_EQ(UnitGrid::groupCount(249, kRows), 12);
}

TEST(KeyMonitor, TwoKeysAreUnclearInAOneKeyKindButPressedInASeveralKeyKind)
{
    EXPECT_EQ(keyState(0, 3), KeyState::Unclear);
    EXPECT_EQ(keyState(2, 3), KeyState::Pressed);
    EXPECT_EQ(keyState(0, 0), KeyState::NotPressed);
}
