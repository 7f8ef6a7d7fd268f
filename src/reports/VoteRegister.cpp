#include "reports/VoteRegister.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/FieldList.h"
#include "data/Schema.h"

#include <QFileInfo>

namespace VoteRegister {

namespace {

struct Column
{
    bool fromVotePage;
    const char* key;
    int width;
    bool centred;
};

const QList<Column> kColumns[kCategories] = {{{false, "MsgVote1", 40, true},
                                              {false, "MsgVote2", 320, false},
                                              {true, "strYD", 50, true},
                                              {true, "strQD", 50, true},
                                              {false, "MsgVote3", 50, true},
                                              {false, "MsgVote4", 50, true},
                                              {false, "MsgVote5", 50, true},
                                              {false, "MsgVote6", 50, true},
                                              {false, "MsgVote7", 100, true},
                                              {false, "MsgVote8", 150, true}},
                                             {{false, "MsgVote1", 50, true},
                                              {false, "MsgVote2", 280, false},
                                              {false, "MsgEle1", 80, false},
                                              {false, "MsgEle2", 70, true},
                                              {false, "MsgEle3", 80, false},
                                              {false, "MsgEle4", 70, true},
                                              {false, "MsgEle5", 80, false},
                                              {false, "MsgEle6", 70, true},
                                              {false, "MsgEle7", 80, false},
                                              {false, "MsgEle8", 70, true},
                                              {false, "MsgEle9", 80, false},
                                              {false, "MsgEle10", 70, true},
                                              {false, "MsgEle11", 150, true}},
                                             {{false, "MsgVote1", 40, true},
                                              {false, "MsgVote2", 480, false},
                                              {false, "MsgGrade1", 55, true},
                                              {false, "MsgGrade2", 55, true},
                                              {false, "MsgGrade3", 150, true}},
                                             {{false, "MsgVote1", 40, true},
                                              {false, "MsgVote2", 320, false},
                                              {true, "strYD", 80, true},
                                              {true, "strQD", 80, true},
                                              {false, "MsgPingyi1", 80, true},
                                              {false, "MsgPingyi2", 80, true},
                                              {false, "MsgPingyi3", 80, true},
                                              {false, "MsgPingyi4", 80, true},
                                              {false, "MsgPingyi5", 150, true}}};

// The vote kinds (0..6) each category lists.
bool inCategory(int category, int kind)
{
    switch (category) {
    case 1:
        return kind == 0;
    case 2:
        return kind >= 1 && kind <= 4;
    case 3:
        return kind == 5;
    case 4:
        return kind == 6;
    }
    return false;
}

// The result fields after the title, in the order the vote writes them.
// `stateShown`: whether the motion was voted, in the table in use.
QStringList cells(int category, int kind, const Motion& motion, const QString& electedMark,
                  const QString& stateShown)
{
    const QStringList f = FieldList::exactly(motion.result, kResultFields);
    switch (category) {
    case 1: // Unit:due:present:yes:no:abstain:unpressed:p1:p2:p3:pass:
        return {f[1], f[2], f[3], f[4], f[5], f[6], f[10]};
    case 2: { // each candidate beside the votes of its key
        const QStringList names = FieldList::exactly(
            VoteCount::markElected(kind, motion.candidates, motion.result, motion.seats, electedMark),
            kCandidateFields);
        QStringList out;
        for (int i = 0; i < kCandidateFields; ++i)
            out << names[i] << f[i];
        return out;
    }
    case 3: // the mean, and whether it was scored
        return {f[0], stateShown};
    case 4: // as a motion vote: satisfied, not satisfied, basically satisfied, unpressed
        return {f[1], f[2], f[3], f[4], f[5], f[6]};
    }
    return {};
}

} // namespace

bool printable(int category)
{
    return category == 1 || category == 2;
}

RegisterTable emptyTable(int category, const Texts& page, const Texts& vote)
{
    RegisterTable table;
    if (category < 1 || category > kCategories)
        return table;
    for (const Column& column : kColumns[category - 1])
        table.addColumn((column.fromVotePage ? vote : page)(QString::fromLatin1(column.key)), column.width,
                        column.centred);
    return table;
}

QList<QStringList> rows(int category, const QList<Motion>& motions, bool votedOnly, const VoteTexts& texts,
                        const QHash<QString, int>& rounds)
{
    // Evaluations list only what was voted, whichever button asked.
    const bool onlyVoted = votedOnly || category == 4;
    QList<QStringList> out;
    const Texts vote(QStringLiteral("FrmMeeVote"));
    const QString notVoted = vote(QStringLiteral("DateNo"));
    const QString voted = vote(QStringLiteral("DateYes"));
    for (const Motion& motion : motions) {
        const int kind = kindNumber(motion.kind);
        if (!inCategory(category, kind))
            continue;
        if (onlyVoted && !motion.voted)
            continue;
        const int times = rounds.value(motion.key);
        const QString title =
            times > 1 ? motion.title + QStringLiteral(" (") + texts.roundsText.arg(times) + QLatin1Char(')')
                      : motion.title;
        out << (QStringList{QString::number(out.size() + 1), title} +
                    cells(category, kind, motion, texts.electedMark, motion.voted ? voted : notVoted)
                << shownTime(motion.votedAt));
    }
    return out;
}

QString shownTime(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

Motions load(const QString& meetingName, const MotionWords& words)
{
    Motions out;
    if (meetingName.isEmpty() ||
        !QFileInfo::exists(ProgramFolder::filePath(Schema::meetingDatabasePath(meetingName)))) {
        out.outcome = Outcome::NoDatabase;
        return out;
    }
    MotionTable table(words);
    table.setMeeting(meetingName);
    const auto motions = table.all();
    if (!motions) {
        out.outcome = Outcome::Failed;
        return out;
    }
    out.motions = *motions;
    // Older files have no EventLog: no rounds to count.
    const QString path = Schema::meetingDatabasePath(meetingName);
    if (DbAccess::findsRow(path,
                           QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"),
                           {QStringLiteral("EventLog")})
            .value_or(false)) {
        const auto counted = DbAccess::selectOnce(
            path,
            QStringLiteral("select o.insertdate as k, count(e.id) as n from Overture o join EventLog e"
                           " on e.kind = ? and e.detail like 'motion ' || o.id || ' result %' group by o.id"),
            {EventLog::kVoteEnded});
        for (const DbRow& row : counted.value_or(QList<DbRow>()))
            out.rounds.insert(row.text("k"), row.text("n").toInt());
    }
    return out;
}

} // namespace VoteRegister
