#include "meeting/KeyMonitorModel.h"

#include "link/Link.h"
#include "meeting/VoteCount.h"

namespace KeyMonitor {

namespace {
constexpr int kKeyBits = 0x1F;
}

int rowCount(int unitCount)
{
    return qBound(0, unitCount, kRows);
}

int column(int group, int part)
{
    return 1 + group * kGroupColumns + part;
}

KeyState keyState(int kind, int voteKeys)
{
    const int keys = voteKeys & kKeyBits;
    if (keys == 0)
        return KeyState::NotPressed;
    if (VoteCount::counting(kind) == VoteCount::Counting::PerBit)
        return KeyState::Pressed;
    const bool single = (keys & (keys - 1)) == 0;
    return single ? KeyState::Pressed : KeyState::Unclear;
}

QString stateText(KeyState state, const StateTexts& texts)
{
    switch (state) {
    case KeyState::NotPressed:
        return texts.notPressed;
    case KeyState::Pressed:
        return texts.pressed;
    case KeyState::NotSignedIn:
        return texts.notSignedIn;
    case KeyState::Unclear:
        break;
    }
    return QString();
}

QHash<int, QString> namesByUnit(const QList<Delegate>& delegates)
{
    QHash<int, QString> names;
    for (const Delegate& delegate : delegates) {
        const int unit = delegate.unitNumber().value_or(0);
        // The designed lookup compares texts: "05" or " 5" is not unit 5.
        if (unit >= 1 && unit <= DelegateTable::kMaxUnitNumber && delegate.unit == QString::number(unit) &&
            !names.contains(unit))
            names.insert(unit, delegate.name);
    }
    return names;
}

QList<KeyState> keyStates(const Link& link, int kind)
{
    QList<KeyState> list;
    const int units = qBound(0, link.unitCount(), Link::kHighestUnit);
    list.reserve(units);
    for (int n = 1; n <= units; ++n)
        list.append(link.unit(n).signedIn ? keyState(kind, link.unit(n).voteKeys) : KeyState::NotSignedIn);
    return list;
}

QStringList keyStateTexts(const QList<KeyState>& states, const StateTexts& texts)
{
    QStringList list;
    list.reserve(states.size());
    for (const KeyState state : states)
        list.append(stateText(state, texts));
    return list;
}

Totals totals(const QList<KeyState>& states)
{
    Totals figures;
    for (const KeyState state : states) {
        if (state != KeyState::NotSignedIn)
            ++figures.signedIn;
        if (state == KeyState::Pressed)
            ++figures.pressed;
    }
    return figures;
}

} // namespace KeyMonitor
