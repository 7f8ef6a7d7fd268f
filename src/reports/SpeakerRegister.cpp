#include "reports/SpeakerRegister.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "speak/SpeakingTime.h"

#include <QFileInfo>
#include <map>

namespace SpeakerRegister {

Speeches load(const QString& meetingName)
{
    Speeches out;
    const QString path = Schema::meetingDatabasePath(meetingName);
    if (meetingName.isEmpty() || !QFileInfo::exists(ProgramFolder::filePath(path))) {
        out.outcome = Outcome::NoDatabase;
        return out;
    }
    const auto speeches = SpeechTable::all(path);
    if (!speeches)
        out.outcome = Outcome::Failed;
    else
        out.speeches = *speeches;
    return out;
}

QString duration(int seconds)
{
    return SpeakingTime::clock(seconds);
}

RegisterTable inOrder(const QList<SpeechTable::Speech>& speeches, const Texts& texts)
{
    RegisterTable table;
    table.addColumn(texts(QStringLiteral("ColNo")), 40, true);
    table.addColumn(texts(QStringLiteral("ColUnit")), 50, true);
    table.addColumn(texts(QStringLiteral("ColDelegate")), 170);
    table.addColumn(texts(QStringLiteral("ColOpened")), 140, true);
    table.addColumn(texts(QStringLiteral("ColClosed")), 80, true);
    table.addColumn(texts(QStringLiteral("ColDuration")), 70, true);
    table.addColumn(texts(QStringLiteral("ColOpenedBy")), 100, true);
    table.addColumn(texts(QStringLiteral("ColClosedBy")), 120, true);
    const auto by = [&texts](int word) { return texts(QStringLiteral("By%1").arg(word)); };
    for (const SpeechTable::Speech& s : speeches)
        table.rows << QStringList{QString::number(table.rows.size() + 1),
                                  QString::number(s.unit),
                                  s.delegate,
                                  s.openedAt.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                                  s.closedAt.toString(QStringLiteral("HH:mm:ss")),
                                  duration(s.seconds),
                                  by(s.openedBy == SpeechTable::OpenedBy::Unit ? 1 : 0),
                                  by(int(s.closedBy))};
    return table;
}

RegisterTable totals(const QList<SpeechTable::Speech>& speeches, const Texts& texts)
{
    RegisterTable table;
    table.addColumn(texts(QStringLiteral("ColUnit")), 60, true);
    table.addColumn(texts(QStringLiteral("ColDelegate")), 260);
    table.addColumn(texts(QStringLiteral("ColSpeeches")), 100, true);
    table.addColumn(texts(QStringLiteral("ColTotal")), 100, true);
    // A unit whose delegate changed during the meeting gives a row per delegate.
    std::map<std::pair<int, QString>, std::pair<int, int>> byDelegate;
    for (const SpeechTable::Speech& s : speeches) {
        auto& [count, seconds] = byDelegate[{s.unit, s.delegate}];
        ++count;
        seconds += s.seconds;
    }
    for (const auto& [who, sums] : byDelegate)
        table.rows << QStringList{QString::number(who.first), who.second, QString::number(sums.first),
                                  duration(sums.second)};
    return table;
}

} // namespace SpeakerRegister
