#include "data/Schema.h"
#include "data/DbAccess.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    QStringList columns;
    const auto rows =
        DbAccess::selectOnce(path, QStringLiteral("select name from pragma_table_info('%1')").arg(table));
    for (const DbRow& row : rows.value_or(QList<DbRow>()))
        columns.append(row.text("name"));
    return columns;
}

TEST_F(SchemaTest, SystemDatabaseIsCreatedWithItsDefaultRowsAndNeverTouchedAgain)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "sysbasicset"), "1");
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "Manage"), "1");
    EXPECT_TRUE(columnsOf(Schema::kSystemDatabase, "Mottag").contains("limit"));

    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "insert into Mottag(MeeName) values('kept')"));
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "Mottag"), "1");
}

TEST_F(SchemaTest, MeetingDatabaseHasTheThreeTablesAndTextStaysText)
{
    ASSERT_FALSE(QDir(programFile("Data")).exists());
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
    const auto employees = db.select("select CellNo from Employees");
    ASSERT_TRUE(employees && employees->size() == 1);
    EXPECT_EQ(employees->first().text("CellNo"), "007");
    const auto motions = db.select("select * from Overture");
    ASSERT_TRUE(motions && motions->size() == 1);
    EXPECT_EQ(motions->first().text("VoteTimelRes"), "1");
    EXPECT_TRUE(motions->first().isNull("result"));
}

TEST_F(SchemaTest, ExistingMeetingFileIsReportedAndReplacedOnlyWhenAsked)
{
    ASSERT_EQ(Schema::createMeetingDatabase("Plenary"), Schema::CreateResult::Created);
    const QString path = Schema::meetingDatabasePath("Plenary");
    ASSERT_TRUE(DbAccess::executeOnce(path, "insert into Employees(CellNo, EmpName) values('1', 'Ana')"));

    // The data layer asks nothing: it says the file is there and leaves it alone.
    EXPECT_EQ(Schema::createMeetingDatabase("Plenary"), Schema::CreateResult::Exists);
    EXPECT_EQ(countRows(path, "Employees"), "1");

    EXPECT_EQ(Schema::createMeetingDatabase("Plenary", true), Schema::CreateResult::Created);
    EXPECT_EQ(countRows(path, "Employees"), "0");
    EXPECT_FALSE(QFile::exists(programFile(path + ".new")));
}

TEST_F(SchemaTest, NoPlaceForTheDataFolderIsReportedWithoutAFile)
{
    QFile blocker(programFile("Data"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(Schema::createMeetingDatabase("Any", true), Schema::CreateResult::CannotReplace);
    EXPECT_TRUE(QFileInfo(programFile("Data")).isFile());
}

} // namespace
