#pragma once

// The colon-separated lists the tables and the hall screen keep in one column:
// every field is followed by ":", so "a:b:" holds "a" and "b" and the text
// after the last ":" is not a field. Fields are not escaped: a field holding
// ":" reads back as two, which is why names lose their ":" on entry.
// Also the yes/no flag the tables store as "1" and "2".
// Inline, so the screen library reads these lists without linking the store.

#include <QString>
#include <QStringList>

namespace FieldList {

// Every field followed by ":" ("" for no fields).
inline QString join(const QStringList& fields)
{
    QString list;
    for (const QString& field : fields)
        list += field + QLatin1Char(':');
    return list;
}

// The fields of `text`, at most `most` of them (all when `most` is negative).
inline QStringList split(const QString& text, qsizetype most = -1)
{
    QStringList fields = text.split(QLatin1Char(':'));
    fields.removeLast(); // the text after the last ":" (all of it when there is none)
    if (most >= 0 && fields.size() > most)
        fields.resize(most);
    return fields;
}

// Exactly `count` fields: the first `count` of `fields`, missing ones empty.
inline QStringList exactly(QStringList fields, qsizetype count)
{
    fields.resize(count);
    return fields;
}

// Exactly `count` fields: the first `count` of `text`, missing ones empty.
inline QStringList exactly(const QString& text, qsizetype count)
{
    return exactly(split(text, count), count);
}

} // namespace FieldList

// A yes/no column as stored: "1" for yes, "2" for no.
inline QString storedFlag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("2");
}
