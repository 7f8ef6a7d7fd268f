#include "prep/NameFilter.h"

namespace {

bool isForbiddenInFileName(QChar c)
{
    static const QString forbidden = QStringLiteral("\"'/\\:*?<>|");
    return forbidden.contains(c) || c.category() == QChar::Other_Control;
}

} // namespace

namespace NameFilter {

QString withoutQuotes(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char('"'));
    result.remove(QLatin1Char('\''));
    return result;
}

QString meetingName(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text)
        if (!isForbiddenInFileName(c) && !(c == QLatin1Char('.') && result.isEmpty()))
            result.append(c);
    return result;
}

QString digitsOnly(const QString& text)
{
    QString result;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            result.append(c);
    return result;
}

QString candidateName(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char(':'));
    return result;
}

bool isUsableMeetingName(const QString& name)
{
    // "." and ".." lose their dots in meetingName, so they fail the last test too.
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.size() > kMeetingNameLength)
        return false;
    return meetingName(name) == name;
}

} // namespace NameFilter
