#include "meeting/VoteCount.h"

#include "data/FieldList.h"
#include "meeting/SignInCount.h"

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
void fullForm(Outcome& out, const Counts& counts, int due, int present, const MotionRecord& motion,
              const Rules& rules)
{
    const int c1 = counts.keys[0];
    const int c2 = counts.keys[1];
    int c3 = counts.keys[2];
    out.unpressed = qMax(0, present - c1 - c2 - c3);

    const Base base = baseOf(motion.VoteBase, rules);
    // An unknown base skips the percentages and the Unit rule alike, as stored files have it.
    if (base != Base::Unknown) {
        const int denominator = base == Base::Due ? due : present;
        const auto share = [denominator](int count) {
            return denominator > 0 ? count * 100.0 / denominator : 0.0;
        };
        out.percent[0] = share(c1);
        out.percent[1] = share(c2);
        if (motion.Unit == QLatin1String("1")) {
            c3 += out.unpressed;
            out.percent[2] = share(c3);
        } else if (motion.Unit == QLatin1String("2") || motion.Unit.isEmpty()) {
            out.percent[2] = share(c3);
        }
    }
    out.abstain = c3;

    const int threshold = wholeNumber(motion.VoteAbetValue);
    const bool strict = rules.strictRules.contains(motion.VoteAbet) && !motion.VoteAbet.isEmpty();
    out.passed = strict ? out.percent[0] > threshold : out.percent[0] >= threshold;
    out.passText = motion.ytText + (out.passed ? rules.passYes : rules.passNo);

    // Joined, not formatted: a stored text holding "%1" must stay as it is.
    out.result = FieldList::join({motion.Unit, QString::number(due), QString::number(present),
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

std::array<int, kKeys> marks(const QString& markList)
{
    std::array<int, kKeys> result{};
    const QStringList list = FieldList::split(markList, kMaxFields);
    for (int i = 0; i < list.size(); ++i)
        result[size_t(i)] = wholeNumber(list[i]);
    return result;
}

Base baseOf(const QString& voteBase, const Rules& rules)
{
    if (voteBase.isEmpty())
        return Base::Unknown;
    if (rules.dueBases.contains(voteBase))
        return Base::Due;
    if (rules.presentBases.contains(voteBase))
        return Base::Present;
    return Base::Unknown;
}

Outcome outcome(int kind, const Counts& counts, int due, int present, const MotionRecord& motion,
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
        const std::array<int, kKeys> m = marks(motion.mark);
        long long sum = 0;
        long long pressed = 0;
        for (size_t i = 0; i < kKeys; ++i) {
            sum += static_cast<long long>(m[i]) * c[i];
            pressed += c[i];
        }
        out.mean = sum != 0 && pressed > 0 ? double(sum) / double(pressed) : 0.0;
        out.result = QString::number(out.mean, 'f', 2) + QLatin1Char(':');
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

int kindOf(const QString& kindText, const QList<QStringList>& kindTables)
{
    if (kindText.isEmpty())
        return -1;
    for (const QStringList& table : kindTables) {
        const int kind = int(table.indexOf(kindText));
        if (kind >= 0 && kind < kKinds)
            return kind;
    }
    return -1;
}

bool isVoted(const QString& voteState, const QStringList& votedTexts)
{
    return !voteState.isEmpty() && votedTexts.contains(voteState);
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

QString markElected(int kind, const QString& candidates, const QString& result, int seats,
                    const QString& mark)
{
    QStringList names = FieldList::split(candidates, kMaxFields);
    for (const int i : elected(kind, result, seats))
        if (i < names.size() && !names[i].isEmpty())
            names[i] += QStringLiteral(" (") + mark + QLatin1Char(')');
    return FieldList::join(names);
}

} // namespace VoteCount
