#pragma once
// Where a unit sits in a list of column groups: units run down `rows` rows,
// then on into the next group to the right, with as many groups as the units
// need, so no unit up to 249 is ever left out. The sign-in grid and the key
// monitor lay their units out this way.

namespace UnitGrid {

struct Place
{
    int row = 0;
    int group = 0;
    bool operator==(const Place&) const = default;
};

// Unit n (1-based): row (n - 1) mod rows of group (n - 1) div rows.
constexpr Place place(int unit, int rows)
{
    const int index = (unit < 1 ? 1 : unit) - 1;
    return {index % rows, index / rows};
}

// Groups needed for units 1..unitCount.
constexpr int groupCount(int unitCount, int rows)
{
    return unitCount <= 0 ? 0 : (unitCount + rows - 1) / rows;
}

} // namespace UnitGrid
