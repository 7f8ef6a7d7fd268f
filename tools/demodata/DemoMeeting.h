#pragma once
// A prepared meeting for demonstrations: a meeting with one delegate per unit
// in use, and one motion of each kind of vote, written through the same
// accessors the preparation pages use. Kinds and states are stored as the
// texts of the language in use, as the pages store them.

#include "speak/SeatLayout.h"

#include <QString>

namespace DemoMeeting {

inline const QString kName = QStringLiteral("Annual Plenary 2026");

enum class Result
{
    Created,
    AlreadyThere,
    Failed
};

// Adds the demo meeting to the program folder in use unless a meeting of that
// name is there already.
Result create();

// The demo hall: the chairman units on a top row, the delegates in curved rows
// of two blocks either side of a middle aisle, facing them.
SeatLayout hallLayout(int units, int chairs);
// Gives the program folder that hall as its seat layout, with the shipped
// floor picture, unless a layout is in use already. False when it cannot be stored.
bool addSeatLayout();

} // namespace DemoMeeting
