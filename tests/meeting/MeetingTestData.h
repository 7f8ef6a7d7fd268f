#pragma once
// Meetings to hold and reads of their databases, shared by the sign-in and vote tests.

#include "core/ConsoleServices.h"
#include "core/LanguageTable.h"
#include "core/Prompt.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/QtPrinters.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace MeetingTestData {

// A meeting in Mottag with "Delegate n" at each unit 1..delegates.
inline Meeting addMeeting(const QString& name, int delegates, int due, int limit = 50)
{
    Meeting meeting;
    meeting.name = name;
    meeting.start = QDate(2026, 3, 1);
    meeting.due = due;
    meeting.legalRatio = limit;
    MeetingTable table;
    EXPECT_EQ(table.create(meeting), MeetingTable::CreateResult::Created);
    DbAccess db;
    db.connect(Schema::meetingDatabasePath(name));
    DbTransaction transaction(db);
    for (int n = 1; n <= delegates; ++n)
        db.execute(QStringLiteral("insert into Employees(CellNo, EmpName) values(?, ?)"),
                   {QString::number(n), QStringLiteral("Delegate %1").arg(n)});
    EXPECT_TRUE(transaction.commit());
    return meeting;
}

// A motion of `kind` with the texts of the language in use: a motion vote passes
// over 50 % of due, unpressed keys count as abstaining, no time limit. As stored:
// what the kind does not keep is cleared.
inline Motion addMotion(const QString& meetingName, const QString& title, int kind, const QString& key)
{
    MotionTable table;
    table.setMeeting(meetingName);
    Motion m;
    m.title = title;
    m.key = key;
    m.kind = voteKind(kind);
    m.base = VoteBase::Due;
    m.strictRule = true;
    m.threshold = 50;
    m.limitSeconds = 5;
    m.unpressedAbstains = m.showPercent = m.liveDisplay = true;
    EXPECT_TRUE(table.insert(m));
    for (const Motion& stored : table.all().value_or(QList<Motion>()))
        if (stored.key == key)
            return stored;
    return m;
}

inline QStringList column(const QString& sql, const char* name, const QString& file)
{
    DbAccess db;
    db.connect(file);
    QStringList values;
    for (Recordset& rows = db.query(sql); !rows.isEof(); rows.moveNext()) {
        QString value;
        rows.read(name, value);
        values << value;
    }
    return values;
}

// The present count the last stored sign-in left in the meeting's row; empty before any.
inline QString mottagSignIn()
{
    return column("select SignIn from Mottag", "SignIn", Schema::kSystemDatabase).value(0);
}

// The stored motion with this key, or an empty one.
inline Motion storedMotion(const QString& meetingName, const QString& key)
{
    MotionTable table;
    table.setMeeting(meetingName);
    for (const Motion& m : table.all().value_or(QList<Motion>()))
        if (m.key == key)
            return m;
    return {};
}

// While one lives, no file of this process can be written past its first 512
// bytes (RLIMIT_FSIZE), so every database write fails as on a full disk, with
// no root and no mount. SIGXFSZ is ignored: the write fails with EFBIG instead.
class FullDisk
{
public:
    FullDisk()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit full = m_before;
        full.rlim_cur = 512;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &m_before); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit m_before{};
};

// Answers the questions through a function (the operator acting between two
// answers) and records every text; restores the test's recorder when it goes.
class AnsweringPrompter : public Prompter
{
public:
    AnsweringPrompter(Prompter& restore, std::function<bool(int question)> answer)
        : m_restore(restore), m_answer(std::move(answer))
    {
        Services::current().prompter = this;
    }
    ~AnsweringPrompter() override { Services::current().prompter = &m_restore; }
    void information(const QString&, const QString& text) override { texts << text; }
    bool question(const QString&, const QString& text) override
    {
        texts << text;
        return m_answer(m_questions++);
    }
    QStringList texts;

private:
    Prompter& m_restore;
    std::function<bool(int)> m_answer;
    int m_questions = 0;
};

} // namespace MeetingTestData
