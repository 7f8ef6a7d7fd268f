#include "speak/SpeakingTime.h"

#include <QRegularExpression>

namespace SpeakingTime {

namespace {
const QRegularExpression kWhole(QStringLiteral("^(\\d{1,3})(?::([0-5]\\d))?$"));
const QRegularExpression kPartial(QStringLiteral("^\\d{0,3}(:[0-5]?)?$"));
} // namespace

std::optional<int> parse(const QString& text)
{
    const QRegularExpressionMatch match = kWhole.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int seconds = match.captured(1).toInt() * 60 + match.captured(2).toInt();
    if (seconds <= 0)
        return std::nullopt;
    return seconds;
}

bool mayBecome(const QString& text)
{
    return kPartial.match(text.trimmed()).hasMatch();
}

QString clock(int seconds)
{
    seconds = qMax(0, seconds);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace SpeakingTime
