#pragma once
// Meetings and motions are keyed by their creation time, "%Y%m%d%H%M%S". Two
// records made within one second would share a key (and so a folder or a
// proposal file), so a key already taken moves on by a second.

#include <QDateTime>
#include <QString>
#include <functional>

namespace RecordKey {

QString format(const QDateTime& time);
// The first free key at or after `now`.
QString next(const QDateTime& now, const std::function<bool(const QString&)>& taken);
// Fourteen digits, as made by format().
bool isValid(const QString& key);

} // namespace RecordKey
