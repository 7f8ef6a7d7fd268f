#pragma once
// What a vote writes into its motion's row of Overture: the settings it runs
// with (at the start) and the result with its state and time (while it runs
// and at the end). Rows are found by their id, not by title, since titles may
// repeat. Failures are reported once by DbAccess; these only say whether the
// row was written.

#include "prep/MotionTable.h"

#include <QString>
#include <optional>

class VoteRecord
{
public:
    void setPath(const QString& path) { m_path = path; }
    // The database of the named meeting.
    void setMeeting(const QString& meetingName);
    QString path() const { return m_path; }

    // The id of the motion's row: by its key, or by its title when it has no key.
    std::optional<qint64> find(const MotionRecord& motion);
    // Kind 0 writes all its settings back; the other kinds only the time limit.
    // The vote's start event (at `at`, "%Y%m%d%H%M%S") goes into EventLog with them.
    bool writeSettings(qint64 id, const MotionRecord& motion, int kind, const QString& at);
    // The final result also appends the vote's end event with the result string.
    bool writeResult(qint64 id, const QString& result, const QString& voteState, const QString& pollTime,
                     bool final = false);

private:
    QString m_path;
};
