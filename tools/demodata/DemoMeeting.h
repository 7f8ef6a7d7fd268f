#pragma once
// A prepared meeting for demonstrations: a meeting with one delegate per unit
// in use, and one motion of each kind of vote, written through the same
// accessors the preparation pages use. Kinds and states are stored as the
// texts of the language in use, as the pages store them.

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

} // namespace DemoMeeting
