#pragma once
// Meetings to hold and reads of their databases, shared by the sign-in and vote tests.

#include "core/LanguageTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/QtPrinters.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"

#include <gtest/gtest.h>

namespace MeetingTestData {

// A meeting in Mottag with "Delegate n" at each unit 1..delegates.
inline MeetingRecord addMeeting(const QString& name, int delegates, int due, int limit = 50)
{
    MeetingRecord meeting;
    meeting.MeeName = name;
    meeting.DateStart = QStringLiteral("2026/03/01");
    meeting.DueNum = QString::number(due);
    meeting.bSetLimit = QStringLiteral("1");
    meeting.limit = QString::number(limit);
    MeetingTable table;
    EXPECT_EQ(table.create(meeting), MeetingTable::CreateResult::Created);
    DbAccess db;
    db.Connect(Schema::meetingDatabasePath(name));
    DbTransaction transaction(db);
    for (int n = 1; n <= delegates; ++n)
        db.Execute(QStringLiteral("insert into Employees(CellNo, EmpName) values(?, ?)"),
                   {QString::number(n), QStringLiteral("Delegate %1").arg(n)});
    EXPECT_TRUE(transaction.commit());
    return meeting;
}

// A motion of `kind` with the texts of the language in use: a motion vote passes
// over 50 % of due, unpressed keys count as abstaining, no time limit.
inline MotionRecord addMotion(const QString& meetingName, const QString& title, int kind, const QString& key)
{
    const Texts vote(QStringLiteral("FrmMeeVote"));
    MotionTable table;
    table.setMeeting(meetingName);
    MotionRecord& m = table.record;
    m.OveName = title;
    m.OveType = Texts(QStringLiteral("Public"))(QStringLiteral("VoteType%1").arg(kind + 1));
    m.VoteBase = vote(QStringLiteral("cbBaseOne"));
    m.VoteAbet = vote(QStringLiteral("cbAbetOne"));
    m.VoteAbetValue = QStringLiteral("50");
    m.VoteTimelRes = QStringLiteral("2");
    m.VoteTimelValue = QStringLiteral("5");
    m.Unit = QStringLiteral("1");
    m.ViewPer = QStringLiteral("1");
    m.ViewPass = QStringLiteral("2");
    m.VoteDll = QStringLiteral("1");
    m.VoteState = vote(QStringLiteral("DateNo"));
    m.insertdate = key;
    EXPECT_TRUE(table.insert());
    return m;
}

inline QStringList column(const QString& sql, const char* name, const QString& file)
{
    DbAccess db;
    db.Connect(file);
    QStringList values;
    for (Recordset& rows = db.Query(sql); !rows.isEof(); rows.moveNext()) {
        QString value;
        rows.read(name, value);
        values << value;
    }
    return values;
}

// The stored motion with this key (insertdate), or an empty one.
inline MotionRecord storedMotion(const QString& meetingName, const QString& key)
{
    MotionTable table;
    table.setMeeting(meetingName);
    for (const MotionRecord& m : table.all().value_or(QList<MotionRecord>()))
        if (m.insertdate == key)
            return m;
    return {};
}

} // namespace MeetingTestData
