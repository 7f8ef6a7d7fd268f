#pragma once
// The key monitor's content without widgets: where each unit sits in the list
// (22 rows to a column group of three columns, groups left to right, as many
// groups as unitCount needs, so no unit is left out), each unit's key-state
// text for the vote kind, and the delegates' names by unit, read once when the
// monitor opens instead of one query per unit every second.

#include "prep/DelegateTable.h"

#include <QHash>
#include <QList>
#include <QString>

class Link;

namespace KeyMonitor {

constexpr int kRows = 22;
constexpr int kGroupColumns = 3; // unit number, name, key state

// Rows needed for units 1..unitCount (groups: UnitGrid::groupCount).
int rowCount(int unitCount);
// List column of part 0..2 of a group; column 0 is the list's empty first column.
int column(int group, int part);

enum class KeyState
{
    NotPressed, // "----"
    Pressed,    // "已按键"
    Unclear,    // two or more keys in a kind that takes one: shown empty
    NotSignedIn // the unit's keys are not counted: its delegate is not present
};
// Only the five key bits count. Kinds 2 and 4 take several keys per unit.
KeyState keyState(int kind, int voteKeys);

struct StateTexts
{
    QString notPressed = QStringLiteral("----");
    QString pressed = QStringLiteral("已按键");
    QString notSignedIn;
};
QString stateText(KeyState state, const StateTexts& texts);

// The first delegate of each unit number, in creation order; a unit number
// that is not exactly a number 1..250 names no unit.
QHash<int, QString> namesByUnit(const QList<Delegate>& delegates);

// One refresh: the key state of units 1..unitCount, unit 1 first; units not
// signed in say so, whatever they press, as the vote counts them.
QList<KeyState> keyStates(const Link& link, int kind);
QStringList keyStateTexts(const QList<KeyState>& states, const StateTexts& texts);

// The figures under the list: units signed in, and those of them whose key
// counts as pressed (an unclear press is not one, as its cell shows).
struct Totals
{
    int pressed = 0;
    int signedIn = 0;
    bool operator==(const Totals&) const = default;
};
Totals totals(const QList<KeyState>& states);

} // namespace KeyMonitor
