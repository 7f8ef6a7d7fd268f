#include "meeting/VoteRecord.h"

#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"

void VoteRecord::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

std::optional<qint64> VoteRecord::find(const MotionRecord& motion)
{
    const bool byKey = !motion.insertdate.isEmpty();
    const auto rows = DbAccess::selectOnce(
        m_path,
        byKey ? QStringLiteral("select id from Overture where insertdate = ? order by id")
              : QStringLiteral("select id from Overture where OveName = ? order by id"),
        {byKey ? motion.insertdate : motion.OveName});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    QString id;
    rows->first().read("id", id);
    bool ok = false;
    const qint64 value = id.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

namespace {

// The row and its event in one transaction: both or neither.
bool executeWithEvent(const QString& path, const QString& sql, const QVariantList& values,
                      const QString& kind, const QString& detail, const QString& at)
{
    DbAccess db;
    if (!EventLog::connect(db, path))
        return false;
    DbTransaction transaction(db);
    return transaction.isOpen() && db.execute(sql, values) && EventLog::append(db, kind, detail, at) &&
           transaction.commit();
}

} // namespace

bool VoteRecord::writeSettings(qint64 id, const MotionRecord& motion, int kind, const QString& at)
{
    const MotionRecord& m = motion;
    const QString detail = QStringLiteral("motion %1 %2").arg(id).arg(m.OveName);
    if (kind == 0)
        return executeWithEvent(m_path,
                                QStringLiteral("update Overture set VoteBase=?,VoteAbet=?,VoteAbetValue=?,"
                                               "Unit=?,ViewPer=?,ViewPass=?,VoteDll=?,VoteTimelRes=?,"
                                               "VoteTimelValue=? where id=?"),
                                {m.VoteBase, m.VoteAbet, m.VoteAbetValue, m.Unit, m.ViewPer, m.ViewPass,
                                 m.VoteDll, m.VoteTimelRes, m.VoteTimelValue, id},
                                EventLog::kVoteStarted, detail, at);
    return executeWithEvent(m_path,
                            QStringLiteral("update Overture set VoteTimelRes=?,VoteTimelValue=? where id=?"),
                            {m.VoteTimelRes, m.VoteTimelValue, id}, EventLog::kVoteStarted, detail, at);
}

bool VoteRecord::writeResult(qint64 id, const QString& result, const QString& voteState,
                             const QString& pollTime, bool final)
{
    const QString sql = QStringLiteral("update Overture set result=?,VoteState=?,PollTimel=? where id=?");
    const QVariantList values{result, voteState, pollTime, id};
    if (!final)
        return DbAccess::executeOnce(m_path, sql, values);
    return executeWithEvent(m_path, sql, values, EventLog::kVoteEnded,
                            QStringLiteral("motion %1 result %2").arg(id).arg(result), pollTime);
}
