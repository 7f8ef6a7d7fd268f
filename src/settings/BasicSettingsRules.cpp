#include "settings/BasicSettingsRules.h"

#include "data/FieldList.h"
#include "data/PasswordHash.h"

namespace BasicSettingsRules {

namespace {

std::optional<int> wholeNumber(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

const QStringList& screenSizes()
{
    static const QStringList sizes{QStringLiteral("1024*768"), QStringLiteral("1280*720"),
                                   QStringLiteral("1366*768"), QStringLiteral("1920*1080")};
    return sizes;
}

std::optional<int> unitNumber(const QString& text)
{
    return wholeNumber(text, 1, kMaxUnits);
}

PortRange checkPortRange(const QString& from, const QString& to)
{
    if (from.trimmed().isEmpty() || to.trimmed().isEmpty())
        return PortRange::FieldEmpty;
    return from.toInt() > to.toInt() ? PortRange::Reversed : PortRange::Accepted;
}

ChairCount checkChairCount(const QString& chairs, const QString& units)
{
    const int count = chairs.trimmed().toInt();
    if (count < 1)
        return ChairCount::TooFew;
    return count > units.trimmed().toInt() ? ChairCount::AboveUnits : ChairCount::Accepted;
}

std::optional<QString> markText(const QStringList& marks)
{
    if (marks.size() != kMarkCount)
        return std::nullopt;
    QStringList values;
    for (const QString& mark : marks) {
        const std::optional<int> value = wholeNumber(mark, 0, kHighestMark);
        if (!value)
            return std::nullopt;
        values += QString::number(*value);
    }
    return FieldList::join(values);
}

QStringList marksOf(const QString& stored)
{
    const QStringList pieces = stored.split(QLatin1Char(':'));
    QStringList marks;
    for (int i = 0; i < kMarkCount; ++i)
        marks.append(QString::number(pieces.value(i).trimmed().toInt()));
    return marks;
}

PasswordChange checkPasswordChange(const QString& old, const QString& fresh, const QString& repeated,
                                   const QString& stored)
{
    if (fresh.isEmpty() || repeated.isEmpty() || (old.isEmpty() && !stored.isEmpty()))
        return PasswordChange::FieldEmpty;
    if (fresh != repeated)
        return PasswordChange::Mismatch;
    return PasswordHash::matches(stored, old) ? PasswordChange::Accepted : PasswordChange::WrongOld;
}

} // namespace BasicSettingsRules
