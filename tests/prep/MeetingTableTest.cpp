#include "prep/MeetingTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QFile>

namespace {

class MeetingTableTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
    }

    static MeetingRecord meeting(const QString& name, const QString& key, const char* limit = "50")
    {
        MeetingRecord record;
        record.MeeName = name;
        record.MeeAddr = QStringLiteral("Hall 1");
        record.limit = QString::fromLatin1(limit);
        record.insertdate = key;
        return record;
    }
};

TEST_F(MeetingTableTest, RowsRoundTripAndChangeByKeyOnly)
{
    const QString quoted = QStringLiteral("Zeta \"quoted\" 'meeting'");
    MeetingTable table;
    table.record = meeting(quoted, QStringLiteral("20261207090000"));
    ASSERT_TRUE(table.insert());
    table.record = meeting(QStringLiteral("Alpha"), QStringLiteral("20261207090001"));
    ASSERT_TRUE(table.insert());
    table.record = meeting(QStringLiteral("Alpha renamed"), QStringLiteral("20261207090001"), "0");
    ASSERT_TRUE(table.update());
    table.loadList();
    EXPECT_EQ(table.names, (QStringList{quoted, "Alpha renamed"}));
    ASSERT_TRUE(table.load(quoted));
    EXPECT_EQ(table.record.limit, "50");
    EXPECT_FALSE(table.load(QStringLiteral("missing")));
    EXPECT_EQ(table.record.MeeAddr, ""); // a failed load leaves no stale fields
}

TEST_F(MeetingTableTest, AnExistingDatabaseStopsCreationUntilThePageChooses)
{
    using R = MeetingTable::CreateResult;
    using E = MeetingTable::ExistingDatabase;
    ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Old")), Schema::CreateResult::Created);
    const QString path = Schema::meetingDatabasePath(QStringLiteral("Old"));
    ASSERT_TRUE(DbAccess::executeOnce(path, "insert into Employees(CellNo) values('7')"));
    auto delegates = [&] {
        return DbAccess::selectOnce(path, "select CellNo from Employees").value().size();
    };

    MeetingTable table;
    MeetingRecord record = meeting(QStringLiteral("Old"), QString());
    EXPECT_EQ(table.create(record), R::DatabaseExists);
    EXPECT_TRUE(table.all().value().isEmpty());
    EXPECT_EQ(table.create(record, E::Keep), R::Created);
    EXPECT_EQ(delegates(), 1);
    ASSERT_TRUE(table.remove(QStringLiteral("Old")));
    EXPECT_EQ(table.create(record, E::Replace), R::Created);
    EXPECT_EQ(delegates(), 0);
    EXPECT_TRUE(QDir(programFile(MeetingFiles::folder(record.insertdate))).exists());

    DbAccess holder; // the name check cannot run: nothing is created
    holder.connect(Schema::kSystemDatabase);
    record.MeeName = QStringLiteral("Any");
    EXPECT_EQ(table.create(record), R::Failed);
    EXPECT_FALSE(table.all().has_value());
    EXPECT_EQ(prompts.take().size(), 2);
}

TEST_F(MeetingTableTest, FileNamesFromARowCannotReachOtherFiles)
{
    QDir().mkpath(programFile("Data"));
    QFile file(programFile("Data/Other.db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    MeetingFiles::removeFiles(QStringLiteral("x"), QStringLiteral(".."),
                              QStringLiteral("../../Data/Other.db"));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_FALSE(MeetingFiles::makeFolder(QString()));
}

} // namespace
