#pragma once
// What the basic settings page accepts before it writes anything: each group
// is checked on its own, and a refused group writes nothing.

#include <QString>
#include <QStringList>
#include <optional>

namespace BasicSettingsRules {

constexpr int kMaxUnits = 250;
constexpr int kMarkCount = 5;
constexpr int kHighestMark = 100;
// The sizes the hall screen offers, the first also standing for an empty setting.
const QStringList& screenSizes();

// A unit count or a numbering start: a whole number 1..250.
std::optional<int> unitNumber(const QString& text);

enum class PortRange
{
    Accepted,
    FieldEmpty,
    Reversed
};
PortRange checkPortRange(const QString& from, const QString& to);

enum class ChairCount
{
    Accepted,
    TooFew,
    AboveUnits
};
// Against the unit count as typed on the page, which need not be stored yet.
ChairCount checkChairCount(const QString& chairs, const QString& units);

// The stored form "0:25:50:75:100:", or nothing when a mark is not a whole number 0..100.
std::optional<QString> markText(const QStringList& marks);
// The five marks of a stored text; missing ones are "0".
QStringList marksOf(const QString& stored);

enum class PasswordChange
{
    Accepted,
    FieldEmpty,
    Mismatch,
    WrongOld
};
// A new installation has no password, so its old field may stay empty.
PasswordChange checkPasswordChange(const QString& old, const QString& fresh, const QString& repeated,
                                   const QString& stored);

} // namespace BasicSettingsRules
