#pragma once
// The candidate list of an election: three names for the 1-of-3 and
// several-of-3 elections, five for the others. The row stores it packed, each
// name followed by a colon, in at most kListLength characters.

#include <QStringList>

namespace Candidates {

// Longest packed list the motion row holds.
inline constexpr int kListLength = 100;

// Modes 1 and 2 keep three names, modes 3 and 4 five (missing ones empty); any
// other mode keeps `current`.
QStringList forMode(int mode, const QStringList& names, const QStringList& current);

// Whether the row holds the names.
bool fits(const QStringList& names);

} // namespace Candidates
