#include "meeting/SignInCount.h"

#include "data/FieldList.h"
#include "link/Link.h"

namespace SignInCount {

int countPresent(const Link& link)
{
    int present = 0;
    for (int n = 1; n <= link.unitCount(); ++n)
        present += link.unit(n).signedIn ? 1 : 0;
    return present;
}

Figures figures(int present, const Meeting& meeting)
{
    Figures result;
    result.present = qMax(0, present);
    result.due = qBound(0, meeting.due, kMaxDue);
    result.absent = qMax(0, result.due - result.present);
    if (meeting.ratioSwitchUnknown) {
        result.quorum = Quorum::Unchanged;
    } else if (meeting.legalRatio && result.due > 0) {
        // No due number, no ratio: the quorum is not tested rather than divided by zero.
        result.ratio = result.present * 100 / result.due;
        result.quorum =
            *result.ratio >= qBound(0, *meeting.legalRatio, kMaxLimit) ? Quorum::Reached : Quorum::Missed;
    }
    return result;
}

QString quorumText(Quorum quorum, const QString& reached, const QString& missed, const QString& previous)
{
    switch (quorum) {
    case Quorum::Reached:
        return reached;
    case Quorum::Missed:
        return missed;
    case Quorum::Unchanged:
        return previous;
    case Quorum::NotTested:
        break;
    }
    return QString();
}

QString countdownText(int seconds)
{
    seconds = qMax(0, seconds);
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString figureValues(const Figures& figures)
{
    return FieldList::join({QString::number(figures.due), QString::number(figures.present),
                            QString::number(figures.absent), QString(), QString()});
}

QString figureLabels(const QString& dueLabel, const QString& presentLabel, const QString& absentLabel,
                     const QString& quorum)
{
    return FieldList::join({dueLabel, presentLabel, absentLabel, quorum, QString()});
}

QStringList names(const Link& link, const QHash<int, QString>& delegateNames, NameList which)
{
    QStringList list;
    for (int n = 1; n <= link.unitCount(); ++n) {
        const auto name = delegateNames.constFind(n);
        if (name == delegateNames.constEnd())
            continue;
        const UnitRecord& unit = link.unit(n);
        const bool wanted = which == NameList::SignedIn ? unit.signedIn && !unit.forbidden
                                                        : !unit.signedIn && !unit.forbidden;
        if (wanted)
            list.append(*name);
    }
    return list;
}

int pageCount(int count)
{
    return count <= 0 ? 0 : (count + kNamesPerPage - 1) / kNamesPerPage;
}

QStringList namePage(const QStringList& names, int page)
{
    const int last = qMax(0, pageCount(int(names.size())) - 1);
    const int first = qBound(0, page, last) * kNamesPerPage;
    QStringList shown = names.mid(first, kNamesPerPage);
    while (shown.size() < kNamesPerPage)
        shown.append(QString());
    return shown;
}

} // namespace SignInCount
