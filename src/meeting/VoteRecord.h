#pragma once
// What a vote writes into its motion's row: the settings it runs with (at the
// start) and the result with its state and time (while it runs and at the
// end), each with its event in the meeting's record. Failures are reported
// once by DbAccess; these only say whether the row was written.

#include "prep/MotionTable.h"

#include <QDateTime>
#include <QString>
#include <optional>

class VoteRecord
{
public:
    explicit VoteRecord(const MotionWords& words) : m_table(words) {}
    // The database of the named meeting.
    void setMeeting(const QString& meetingName) { m_table.setMeeting(meetingName); }

    // The id of the motion's row (see MotionTable::rowId).
    std::optional<qint64> find(const Motion& motion) { return m_table.rowId(motion); }
    // The motion's settings (see MotionTable::voteSettings) with the vote's start
    // event (at `at`, "%Y%m%d%H%M%S").
    bool writeSettings(qint64 id, const Motion& motion, const QString& at);
    // The final result also appends the vote's end event with the result string.
    bool writeResult(qint64 id, const QString& result, const QString& voteState, const QDateTime& at,
                     bool final = false);

private:
    MotionTable m_table;
};
