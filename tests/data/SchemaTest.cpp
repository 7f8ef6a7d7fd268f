#include "data/Schema.h"
#include "support/ConsoleTest.h"
#include "data/DbAccess.h"
#include "core/LanguageTable.h"

#include <QDir>
#include <QFile>

namespace {

using SchemaTest = ConsoleTest;

QString countRows(const QString& path, const QString& table)
{
    DbAccess db;
    db.Connect(path);
    QString count;
    db.Query(QStringLiteral("select count(*) as n from %1").arg(table)).read("n", count);
    return count;
}

QStringList columnsOf(const QString& path, const QString& table)
{
    DbAccess db;
    db.Connect(path);
    QStringList columns;
    Recordset& rows = db.Query(QStringLiteral("select name from pragma_table_info('%1')").arg(table));
    for (; !rows.isEof(); rows.moveNext()) {
        QString name;
        rows.read("name", name);
        columns.append(name);
    }
    return columns;
}

TEST_F(SchemaTest, SystemDatabaseIsCreatedWithItsDefaultRows)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "sysbasicset"), "1");
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "Manage"), "1");
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "Mottag"), "0");
    EXPECT_TRUE(columnsOf(Schema::kSystemDatabase, "Mottag").contains("limit"));

    // An existing file is never touched.
    {
        DbAccess db;
        db.Connect(Schema::kSystemDatabase);
        ASSERT_TRUE(db.Execute("insert into Mottag(MeeName) values('kept')"));
    }
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "Mottag"), "1");
}

TEST_F(SchemaTest, MeetingDatabaseHasTheThreeTablesAndTextStaysText)
{
    ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("年会 2026")), Schema::CreateResult::Created);
    const QString path = Schema::meetingDatabasePath(QStringLiteral("年会 2026"));
    EXPECT_TRUE(QFile::exists(programFile("Data/年会 2026.db")));
    EXPECT_EQ(columnsOf(path, "Overture").size(), 23); // id and 22 columns
    EXPECT_EQ(columnsOf(path, "Employees").size(), 14);
    EXPECT_EQ(columnsOf(path, "SignIn"), (QStringList{"id", "CellNo", "sign"}));

    DbAccess db;
    db.Connect(path);
    ASSERT_TRUE(db.Execute("insert into Employees(CellNo) values(?)", {QStringLiteral("007")}));
    ASSERT_TRUE(
        db.Execute("insert into Overture(OveName, VoteTimelRes) values(?, ?)", {QStringLiteral("m"), "1"}));
    const Recordset& employee = db.Query("select CellNo from Employees");
    QString cell;
    employee.read("CellNo", cell);
    EXPECT_EQ(cell, "007");
    const Recordset& motion = db.Query("select * from Overture");
    QString limit, result = "untouched";
    motion.read("VoteTimelRes", limit);
    motion.read("result", result);
    EXPECT_EQ(limit, "1");
    EXPECT_EQ(result, "untouched");
}

TEST_F(SchemaTest, ExistingMeetingFileNoKeepsRowsYesReplaces)
{
    ASSERT_EQ(Schema::createMeetingDatabase("Plenary"), Schema::CreateResult::Created);
    const QString path = Schema::meetingDatabasePath("Plenary");
    {
        DbAccess db;
        db.Connect(path);
        ASSERT_TRUE(db.Execute("insert into Employees(CellNo, EmpName) values('1', 'Ana')"));
    }

    prompts.answerNext(false);
    EXPECT_EQ(Schema::createMeetingDatabase("Plenary"), Schema::CreateResult::KeptExisting);
    auto asked = prompts.take();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].question);
    EXPECT_EQ(asked[0].text, Texts("FrmMeeset")("Export1"));
    EXPECT_EQ(countRows(path, "Employees"), "1");

    prompts.answerNext(true);
    EXPECT_EQ(Schema::createMeetingDatabase("Plenary"), Schema::CreateResult::Created);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(countRows(path, "Employees"), "0");
    EXPECT_FALSE(QFile::exists(programFile(path + ".new")));
}

TEST_F(SchemaTest, DataFolderIsMadeOnFirstNeed)
{
    ASSERT_FALSE(QDir(programFile("Data")).exists());
    EXPECT_EQ(Schema::createMeetingDatabase("First"), Schema::CreateResult::Created);
    EXPECT_TRUE(QDir(programFile("Data")).exists());
}

} // namespace
