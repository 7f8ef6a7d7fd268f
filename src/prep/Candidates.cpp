#include "prep/Candidates.h"

#include "data/FieldList.h"

namespace Candidates {

QStringList forMode(int mode, const QStringList& names, const QStringList& current)
{
    if (mode == 1 || mode == 2)
        return FieldList::exactly(names, 3);
    if (mode == 3 || mode == 4)
        return FieldList::exactly(names, 5);
    return current;
}

bool fits(const QStringList& names)
{
    return FieldList::join(names).size() <= kListLength;
}

} // namespace Candidates
