// Automatic copies of the databases: the newest ten of each file stay, and a
// restore puts the newest whole file back in place of a damaged one.

#include "data/Backup.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

#include <QFile>
#include <QFileInfo>

namespace {

using BackupTest = ConsoleTest;

TEST_F(BackupTest, TheNewestTenCopiesOfEachFileStay)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Board")), Schema::CreateResult::Created);
    for (int i = 1; i <= 12; ++i) {
        ASSERT_TRUE(
            DbAccess::executeOnce(Schema::kSystemDatabase, "update sysbasicset set cellnum = ?", {i}));
        Backup::afterRound(QStringLiteral("Board"));
    }
    const QStringList system = Backup::copies(Schema::kSystemDatabase);
    ASSERT_EQ(system.size(), Backup::kKept);
    EXPECT_EQ(Backup::copies(Schema::meetingDatabasePath(QStringLiteral("Board"))).size(), Backup::kKept);
    EXPECT_TRUE(QFileInfo(system.first()).path().endsWith(QLatin1String("/Backup/System")));
    // Newest first: it holds the last value, the oldest kept the third.
    for (const auto& [copy, cellnum] : {std::pair{system.first(), 12}, std::pair{system.last(), 3}}) {
        DbAccess db;
        db.connectReadOnly(copy.mid(ProgramFolder::path().size() + 1));
        const auto rows = db.select(QStringLiteral("select cellnum from sysbasicset"));
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->first().text("cellnum").toInt(), cellnum);
    }
    EXPECT_FALSE(Backup::copy(QStringLiteral("Data/Nobody.db")));
}

TEST_F(BackupTest, RestorePutsTheNewestCopyInPlaceOfADamagedFile)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_FALSE(Backup::restoreLatest(Schema::kSystemDatabase)) << "no copy yet";
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "insert into Mottag(MeeName) values('kept')"));
    Backup::atStart();
    QFile file(programFile(Schema::kSystemDatabase));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a database");
    file.close();
    QFile journal(programFile(Schema::kSystemDatabase + QStringLiteral("-journal")));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.close();
    ASSERT_TRUE(Backup::restoreLatest(Schema::kSystemDatabase));
    EXPECT_FALSE(journal.exists()) << "a journal of the damaged file would roll the copy back";
    EXPECT_EQ(DbAccess::selectOnce(Schema::kSystemDatabase, "select MeeName from Mottag").value().size(), 1);
}

} // namespace
