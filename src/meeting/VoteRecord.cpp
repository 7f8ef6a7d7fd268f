#include "meeting/VoteRecord.h"

#include "data/DbAccess.h"
#include "data/EventLog.h"

namespace {

// The row and its event in one transaction: both or neither.
bool executeWithEvent(const QString& path, const MotionTable::Statement& statement, const QString& kind,
                      const QString& detail, const QString& at)
{
    bool done = false;
    {
        DbAccess db;
        if (!EventLog::connect(db, path))
            return false;
        DbTransaction transaction(db);
        done = transaction.isOpen() && db.execute(statement.sql, statement.values) &&
               EventLog::append(db, kind, detail, at) && transaction.commit();
    }
    // Announced once the file is free again: the lists read it at once.
    if (done)
        MotionTable::announce(path);
    return done;
}

} // namespace

bool VoteRecord::writeSettings(qint64 id, const Motion& motion, const QString& at)
{
    return executeWithEvent(m_table.path(), m_table.voteSettings(id, motion), EventLog::kVoteStarted,
                            QStringLiteral("motion %1 %2").arg(id).arg(motion.title), at);
}

bool VoteRecord::writeResult(qint64 id, const QString& result, const QString& voteState, const QDateTime& at,
                             bool final)
{
    const MotionTable::Statement statement = MotionTable::voteResult(id, result, voteState, at);
    // The live count is not announced: the lists show the state, which only the final result sets.
    if (!final)
        return DbAccess::executeOnce(m_table.path(), statement.sql, statement.values);
    return executeWithEvent(m_table.path(), statement, EventLog::kVoteEnded,
                            QStringLiteral("motion %1 result %2").arg(id).arg(result),
                            MotionTable::storedTime(at));
}
