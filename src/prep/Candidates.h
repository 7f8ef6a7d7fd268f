#pragma once
// The candidate list of an election, packed as names each ended by a colon:
// three names for the 1-of-3 and several-of-3 elections, five for the others.

#include <QString>
#include <QStringList>

namespace Candidates {

// Longest packed list the motion row holds.
inline constexpr int kListLength = 100;

// The pieces before each colon, as candidates one to five; missing ones empty,
// a sixth piece and beyond ignored.
QStringList split(const QString& list);

// Modes 1 and 2 pack three names, modes 3 and 4 five; any other mode keeps
// `current`. `names` may hold fewer than five entries.
QString pack(int mode, const QStringList& names, const QString& current);

bool fits(const QString& list);

} // namespace Candidates
