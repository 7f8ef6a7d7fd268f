#pragma once
// Typing filters of the preparation pages. A meeting name becomes a file name
// (Data/<name>.db), so it loses everything a file name cannot hold; other
// fields keep their own, smaller filters.

#include <QString>

namespace NameFilter {

// Longest meeting name in characters: four bytes a character in UTF-8 plus
// the database suffix still fit a 255-byte file name.
inline constexpr int kMeetingNameLength = 60;

// Removes double and single quotes.
QString withoutQuotes(const QString& text);
// Removes quotes, path separators, control characters and : * ? < > |, and
// leading dots (a name starting with "." would make a hidden database file).
QString meetingName(const QString& text);
// Keeps the digits 0 to 9 only.
QString digitsOnly(const QString& text);
// Removes the colon that separates packed candidates.
QString candidateName(const QString& text);

// A name (already filtered and trimmed) that can name a file: not empty,
// no leading dot, free of the removed characters and not too long.
bool isUsableMeetingName(const QString& name);

} // namespace NameFilter
