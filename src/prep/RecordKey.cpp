#include "prep/RecordKey.h"

#include <QRegularExpression>

namespace RecordKey {

QString format(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString next(const QDateTime& now, const std::function<bool(const QString&)>& taken)
{
    QDateTime time = now;
    QString key = format(time);
    while (taken(key)) {
        time = time.addSecs(1);
        key = format(time);
    }
    return key;
}

bool isValid(const QString& key)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{14}$"));
    return digits.match(key).hasMatch();
}

} // namespace RecordKey
