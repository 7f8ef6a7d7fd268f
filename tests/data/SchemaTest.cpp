#include "data/Schema.h"
#include "data/DbAccess.h"
#include "support/ConsoleTest.h"

#include <QFile>

namespace {

using SchemaTest = ConsoleTest;

int countRows(const QString& path, const QString& table)
{
    return int(DbAccess::selectOnce(path, QStringLiteral("select * from %1").arg(table)).value().size());
}

TEST_F(SchemaTest, SystemDatabaseIsCreatedOnceAndNeverTouchedAgain)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "insert into Mottag(MeeName) values('kept')"));
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_EQ(countRows(Schema::kSystemDatabase, "Mottag"), 1);
}

TEST_F(SchemaTest, MeetingFileKeepsTextAsTextAndIsReplacedOnlyWhenAsked)
{
    ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("年会 2026")), Schema::CreateResult::Created);
    const QString path = Schema::meetingDatabasePath(QStringLiteral("年会 2026"));
    EXPECT_TRUE(QFile::exists(programFile("Data/年会 2026.db")));
    ASSERT_TRUE(
        DbAccess::executeOnce(path, "insert into Employees(CellNo) values(?)", {QStringLiteral("007")}));
    EXPECT_EQ(DbAccess::selectOnce(path, "select CellNo from Employees").value().first().text("CellNo"),
              "007");

    EXPECT_EQ(Schema::createMeetingDatabase(QStringLiteral("年会 2026")), Schema::CreateResult::Exists);
    EXPECT_EQ(countRows(path, "Employees"), 1);
    EXPECT_EQ(Schema::createMeetingDatabase(QStringLiteral("年会 2026"), true),
              Schema::CreateResult::Created);
    EXPECT_EQ(countRows(path, "Employees"), 0);
}

} // namespace
