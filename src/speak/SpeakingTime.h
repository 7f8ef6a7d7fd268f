#pragma once
// The speaking time as the operator gives it: whole minutes ("3") or minutes
// and seconds ("2:30"). A limit of 0, a negative number or text is no time.

#include <QString>
#include <optional>

namespace SpeakingTime {

// The times the page offers, in minutes.
constexpr int kOfferedMinutes[] = {1, 2, 3, 5, 10};
constexpr int kLongestMinutes = 999;

// Seconds of a typed time; none when it is no time.
std::optional<int> parse(const QString& text);
// True while `text` may still become a time by typing on ("", "2", "2:", "2:3").
bool mayBecome(const QString& text);
// "2:30", "0:05", "12:00": minutes and two-digit seconds.
QString clock(int seconds);

} // namespace SpeakingTime
