#include "meeting/PassReadout.h"

namespace PassReadout {

namespace {

// The fewest yes votes whose share of `denominator` (> 0) meets the rule.
// Whole numbers only: 100 c > t d is exactly the stored c * 100.0 / d > t.
qint64 fewestYes(qint64 t, qint64 denominator, bool strict)
{
    const qint64 x = t * denominator;
    if (strict)
        return x < 0 ? 0 : x / 100 + 1;
    return x <= 0 ? 0 : (x + 99) / 100;
}

} // namespace

Reading read(int kind, const VoteCount::Counts& counts, int due, int present, const Motion& motion)
{
    if (kind != 0 && kind != 6)
        return {};
    const int yes = counts.keys[0];
    const int silent = qMax(0, present - yes - counts.keys[1] - counts.keys[2]);
    const qint64 t = motion.threshold;
    const bool strict = motion.strictRule;

    const int denominator = motion.base == VoteBase::Due ? due : present;
    // An unknown base or a base of nobody keeps the share at 0.00 % whatever is pressed.
    if (motion.base == VoteBase::Unknown || denominator <= 0) {
        const bool passesAtZero = strict ? 0 > t : 0 >= t;
        return {passesAtZero ? Verdict::Passed : Verdict::CannotPass, 0};
    }
    const qint64 more = fewestYes(t, denominator, strict) - yes;
    if (more <= 0)
        return {Verdict::Passed, 0};
    if (more > silent)
        return {Verdict::CannotPass, 0};
    return {Verdict::Needs, int(more)};
}

QString line(const Reading& reading, const Phrases& phrases)
{
    switch (reading.verdict) {
    case Verdict::Needs:
        return reading.more == 1 ? phrases.needsOne : phrases.needs.arg(reading.more);
    case Verdict::CannotPass:
        return phrases.cannotPass;
    case Verdict::Passed:
        return phrases.passed;
    case Verdict::NotShown:
        break;
    }
    return QString();
}

} // namespace PassReadout
