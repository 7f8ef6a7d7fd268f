#include "meeting/VoteRecord.h"

#include "data/DbAccess.h"
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

bool VoteRecord::writeSettings(qint64 id, const MotionRecord& motion, int kind)
{
    const MotionRecord& m = motion;
    if (kind == 0)
        return DbAccess::executeOnce(
            m_path,
            QStringLiteral("update Overture set VoteBase=?,VoteAbet=?,VoteAbetValue=?,"
                           "Unit=?,ViewPer=?,ViewPass=?,VoteDll=?,VoteTimelRes=?,"
                           "VoteTimelValue=? where id=?"),
            {m.VoteBase, m.VoteAbet, m.VoteAbetValue, m.Unit, m.ViewPer, m.ViewPass, m.VoteDll,
             m.VoteTimelRes, m.VoteTimelValue, id});
    return DbAccess::executeOnce(
        m_path, QStringLiteral("update Overture set VoteTimelRes=?,VoteTimelValue=? where id=?"),
        {m.VoteTimelRes, m.VoteTimelValue, id});
}

bool VoteRecord::writeResult(qint64 id, const QString& result, const QString& voteState,
                             const QString& pollTime)
{
    return DbAccess::executeOnce(
        m_path, QStringLiteral("update Overture set result=?,VoteState=?,PollTimel=? where id=?"),
        {result, voteState, pollTime, id});
}
