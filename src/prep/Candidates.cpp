#include "prep/Candidates.h"

#include "data/FieldList.h"

namespace Candidates {

QStringList split(const QString& list)
{
    QStringList names = list.split(QLatin1Char(':'));
    while (names.size() < 5)
        names.append(QString());
    return names.mid(0, 5);
}

QString pack(int mode, const QStringList& names, const QString& current)
{
    int count = 0;
    if (mode == 1 || mode == 2)
        count = 3;
    else if (mode == 3 || mode == 4)
        count = 5;
    else
        return current;
    QStringList fields = names.mid(0, count);
    while (fields.size() < count)
        fields.append(QString());
    return FieldList::join(fields);
}

bool fits(const QString& list)
{
    return list.size() <= kListLength;
}

} // namespace Candidates
