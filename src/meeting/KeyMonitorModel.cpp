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

QHash<int, QString> namesByUnit(const QList<DelegateRecord>& delegates)
{
    QHash<int, QString> names;
    for (const DelegateRecord& delegate : delegates) {
        bool ok = false;
        const int unit = delegate.CellNo.toInt(&ok);
        // The designed lookup compares texts: "05" or " 5" is not unit 5.
        if (ok && unit >= 1 && unit <= DelegateTable::kMaxUnitNumber &&
            delegate.CellNo == QString::number(unit) && !names.contains(unit))
            names.insert(unit, delegate.EmpName);
    }
    return names;
}

QStringList keyStateTexts(const Link& link, int kind, const StateTexts& texts)
{
    QStringList list;
    const int units = qBound(0, link.unitCount, Link::kHighestUnit);
    list.reserve(units);
    for (int n = 1; n <= units; ++n)
        list.append(stateText(
            link.unit(n).signedIn ? keyState(kind, link.unit(n).voteKeys) : KeyState::NotSignedIn, texts));
    return list;
}

} // namespace KeyMonitor
