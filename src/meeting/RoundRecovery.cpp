#include "meeting/RoundRecovery.h"

#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "prep/MeetingTable.h"

#include <QHash>
#include <QMap>
#include <QSet>

namespace RoundRecovery {

namespace {

// The designed form of Overture.PollTimel; the record keeps its own form of the time.
const QString kStoredVoteTime = QStringLiteral("yyyy/MM/dd/-HH:mm:ss");

// "motion <id> ..." of the vote events.
qint64 motionOf(const QString& detail)
{
    return detail.section(QLatin1Char(' '), 1, 1).toLongLong();
}

struct Final
{
    QString result;
    QString pollTime;
};

} // namespace

QList<InterruptedVote> closeInterruptedVotes(const QString& path, const QString& notVotedState,
                                             const QString& at)
{
    DbAccess db;
    if (!EventLog::connect(db, path))
        return {};
    const auto hasLog = db.select(
        QStringLiteral("select name from sqlite_master where type = 'table' and name = 'EventLog'"));
    if (!hasLog || hasLog->isEmpty())
        return {};
    const auto events =
        db.select(QStringLiteral("select at, kind, detail from EventLog where kind in (?, ?, ?) order by id"),
                  {EventLog::kVoteStarted, EventLog::kVoteEnded, EventLog::kVoteInterrupted});
    if (!events)
        return {};
    QMap<qint64, InterruptedVote> open;
    QHash<qint64, Final> finals;
    for (const DbRow& event : *events) {
        const QString kind = event.text("kind");
        const QString detail = event.text("detail");
        const qint64 motion = motionOf(detail);
        if (kind == EventLog::kVoteStarted) {
            open.insert(motion, {motion, detail.section(QLatin1Char(' '), 2), event.text("at"), QString()});
            continue;
        }
        open.remove(motion);
        // "motion <id> result <string>"; the end's time is the motion's PollTimel.
        if (kind == EventLog::kVoteEnded)
            finals.insert(motion, {detail.section(QLatin1Char(' '), 3),
                                   EventLog::timeOf(event.text("at")).toString(kStoredVoteTime)});
    }
    if (open.isEmpty())
        return {};

    DbTransaction transaction(db);
    if (!transaction.isOpen())
        return {};
    QList<InterruptedVote> closed;
    for (InterruptedVote vote : open) {
        const auto row =
            db.select(QStringLiteral("select result from Overture where id = ?"), {vote.motionId});
        if (!row)
            return {};
        vote.partial = row->isEmpty() ? QString() : row->first().text("result");
        const auto final = finals.constFind(vote.motionId);
        const bool restored =
            final != finals.cend()
                ? db.execute(QStringLiteral("update Overture set result = ?, PollTimel = ? where id = ?"),
                             {final->result, final->pollTime, vote.motionId})
                : db.execute(
                      QStringLiteral(
                          "update Overture set result = '', VoteState = ?, PollTimel = '' where id = ?"),
                      {notVotedState, vote.motionId});
        if (!restored || !EventLog::append(
                             db, EventLog::kVoteInterrupted,
                             QStringLiteral("motion %1 partial %2").arg(vote.motionId).arg(vote.partial), at))
            return {};
        closed.append(vote);
    }
    return transaction.commit() ? closed : QList<InterruptedVote>{};
}

std::optional<int> storeInterruptedSignIn(const QString& meetingName, const SignInJournal::Round& round,
                                          const SignInMarks& marks, const QString& at)
{
    MeetingTable meetings;
    const int due = meetings.find(meetingName).value_or(Meeting{}).due;
    DbAccess db;
    if (!EventLog::connect(db, Schema::meetingDatabasePath(meetingName)))
        return std::nullopt;
    DbTransaction transaction(db);
    if (!transaction.isOpen() || !AttendanceTable::ensureOwnTables(db))
        return std::nullopt;
    const QString kind = round.supplementary ? ArrivalHow::kSupplementary : QStringLiteral("normal");
    // A supplementary sign-in adds to those signed in before; a normal one starts from nobody.
    QSet<QString> present;
    if (round.supplementary) {
        const auto before =
            db.select(QStringLiteral("select CellNo from Employees where sign = ?"), {marks.signedIn});
        if (!before)
            return std::nullopt;
        for (const DbRow& row : *before)
            present.insert(QString::number(row.text("CellNo").toInt()));
    } else if (!db.execute(QStringLiteral("update Employees set sign = ?"), {marks.absent})) {
        return std::nullopt;
    }
    if (!EventLog::append(db, EventLog::kSignInStarted, kind, round.startAt))
        return std::nullopt;
    for (const Arrival& arrival : round.arrivals) {
        present.insert(QString::number(arrival.unit));
        if (!db.execute(QStringLiteral("update Employees set sign = ? where CellNo = ?"),
                        {marks.signedIn, QString::number(arrival.unit)}))
            return std::nullopt;
    }
    const int count = int(present.size());
    if (!AttendanceTable::insertArrivals(db, round.arrivals) ||
        !db.execute(QStringLiteral("insert into SignInRound(startAt, endAt, kind, due, present, quorum)"
                                   " values(?, ?, 'interrupted', ?, ?, '')"),
                    {round.startAt, at, QString::number(due), QString::number(count)}) ||
        !EventLog::append(db, EventLog::kSignInInterrupted,
                          QStringLiteral("stored: due %1 present %2").arg(due).arg(count), at) ||
        !SignInJournal::clear(db) || !transaction.commit())
        return std::nullopt;
    db.disconnect();
    if (!MeetingTable().setPresent(meetingName, count))
        return std::nullopt;
    return count;
}

bool discardInterruptedSignIn(const QString& meetingName, const SignInJournal::Round& round,
                              const QString& at)
{
    DbAccess db;
    if (!EventLog::connect(db, Schema::meetingDatabasePath(meetingName)))
        return false;
    DbTransaction transaction(db);
    return transaction.isOpen() &&
           EventLog::append(db, EventLog::kSignInInterrupted,
                            QStringLiteral("discarded: started %1, %2 units seen")
                                .arg(round.startAt)
                                .arg(round.arrivals.size()),
                            at) &&
           SignInJournal::clear(db) && transaction.commit();
}

} // namespace RoundRecovery
