#include "meeting/VoteCount.h"

#include "data/FieldList.h"
#include "meeting/SignInCount.h"
#include "prep/MotionTable.h"

namespace VoteCount {

namespace {

constexpr int kKeyBits = 0x1F;

int wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString percentField(double value)
{
    return QString::number(value, 'f', 2) + QLatin1Char('%');
}

// The full form of kinds 0 and 6.
void fullForm(Outcome& out, const Counts& counts, int due, int present, const Motion& motion,
              const Rules& rules)
{
    const int c1 = counts.keys[0];
    const int c2 = counts.keys[1];
    int c3 = counts.keys[2];
    out.unpressed = qMax(0, present - c1 - c2 - c3);

    // An unknown base skips the percentages and the unpressed rule alike, as stored files have it.
    if (motion.base != VoteBase::Unknown) {
        const int denominator = motion.base == VoteBase::Due ? due : present;
        const auto share = [denominator](int count) {
            return denominator > 0 ? count * 100.0 / denominator : 0.0;
        };
        out.percent[0] = share(c1);
        out.percent[1] = share(c2);
        if (motion.unpressedAbstains)
            c3 += out.unpressed;
        out.percent[2] = share(c3);
    }
    out.abstain = c3;

    const int threshold = motion.threshold;
    out.passed = motion.strictRule ? out.percent[0] > threshold : out.percent[0] >= threshold;
    out.passText = motion.passWording + (out.passed ? rules.passYes : rules.passNo);

    // Joined, not formatted: a stored text holding "%1" must stay as it is.
    out.result =
        FieldList::join({storedFlag(motion.unpressedAbstains), QString::number(due), QString::number(present),
                         QString::number(c1), QString::number(c2), QString::number(c3),
                         QString::number(out.unpressed), percentField(out.percent[0]),
                         percentField(out.percent[1]), percentField(out.percent[2]), out.passText});
}

} // namespace

Counting counting(int kind)
{
    return kind == 2 || kind == 4 ? Counting::PerBit : Counting::Exact;
}

Counts count(int kind, const QList<int>& voteKeys)
{
    Counts counts;
    const bool perBit = counting(kind) == Counting::PerBit;
    for (const int value : voteKeys) {
        const int k = value & kKeyBits;
        if (k == 0) {
            ++counts.none;
            continue;
        }
        for (int key = 0; key < kKeys; ++key) {
            const int bit = 1 << key;
            if (perBit ? (k & bit) != 0 : k == bit)
                ++counts.keys[size_t(key)];
        }
    }
    return counts;
}

Outcome outcome(int kind, const Counts& counts, int due, int present, const Motion& motion,
                const Rules& rules)
{
    Outcome out;
    const auto& c = counts.keys;
    switch (kind) {
    case 0:
    case 6:
        fullForm(out, counts, due, present, motion, rules);
        break;
    case 1:
    case 2:
    case 3:
    case 4: {
        QStringList values;
        for (int key = 0; key < (kind <= 2 ? 3 : kKeys); ++key)
            values << QString::number(c[size_t(key)]);
        out.result = FieldList::join(values);
        break;
    }
    case 5: {
        long long sum = 0;
        long long pressed = 0;
        for (size_t i = 0; i < kKeys; ++i) {
            sum += static_cast<long long>(motion.points.value(qsizetype(i))) * c[i];
            pressed += c[i];
        }
        out.mean = sum != 0 && pressed > 0 ? double(sum) / double(pressed) : 0.0;
        out.result = FieldList::join({QString::number(out.mean, 'f', 2)});
        break;
    }
    default:
        break;
    }
    return out;
}

QString countdownText(int seconds)
{
    return QStringLiteral("倒计时:") + SignInCount::countdownText(seconds);
}

QList<int> elected(int kind, const QString& result, int seats)
{
    const int candidates = MotionRules::candidateCount(kind);
    if (candidates == 0 || seats <= 0)
        return {};
    const QStringList values = FieldList::split(result, kMaxFields);
    QList<int> votes;
    for (int i = 0; i < candidates; ++i)
        votes.append(wholeNumber(values.value(i)));
    QList<int> order;
    for (int i = 0; i < candidates; ++i)
        if (votes[i] > 0)
            order.append(i);
    std::stable_sort(order.begin(), order.end(), [&votes](int a, int b) { return votes[a] > votes[b]; });
    if (order.size() > seats) {
        // Whoever ties with the first one left out does not take the seat.
        const int cut = votes[order[seats]];
        order.resize(seats);
        order.removeIf([&votes, cut](int i) { return votes[i] == cut; });
    }
    std::sort(order.begin(), order.end());
    return order;
}

QStringList markElected(int kind, const QStringList& candidates, const QString& result, int seats,
                        const QString& mark)
{
    QStringList names = candidates.mid(0, kMaxFields);
    for (const int i : elected(kind, result, seats))
        if (i < names.size() && !names[i].isEmpty())
            names[i] += QStringLiteral(" (") + mark + QLatin1Char(')');
    return names;
}

} // namespace VoteCount
