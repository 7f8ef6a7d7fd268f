#include "data/DbAccess.h"
#include "support/ConsoleTest.h"

#include <QFile>

namespace {

class DbAccessTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(db.create("t.db"));
        ASSERT_TRUE(db.execute("create table People(id integer primary key autoincrement, Name varchar(50),"
                               " Age int, Note varchar(50), Photo blob)"));
    }
    DbAccess db;
};

TEST_F(DbAccessTest, BoundValuesRoundTripAndNullLeavesTheCallersField)
{
    const QString name = QStringLiteral("O'Brien \"the\" 代表; drop table People; --");
    const QByteArray bytes("BM\0\x01\xFF", 5);
    ASSERT_TRUE(db.execute("insert into People(Name, Age, Photo) values(?,?,?)", {name, 42, bytes}));
    Recordset& rows = db.query("select * from People where Name = ?", {name});
    ASSERT_FALSE(rows.isEof());
    QString readName, note = "kept";
    QByteArray photo;
    rows.read("NAME", readName);
    rows.readBytes("Photo", photo);
    rows.read("Note", note);
    EXPECT_EQ(QStringList({readName, note}), QStringList({name, "kept"}));
    EXPECT_EQ(photo, bytes);
    db.disconnect(); // the next statement reconnects from the stored path
    EXPECT_EQ(db.select("select * from People").value().first().text("Age"), "42");
}

TEST_F(DbAccessTest, AFailedQueryIsToldApartFromOneThatFoundNothing)
{
    EXPECT_FALSE(db.query("select * from People").failed());
    EXPECT_TRUE(db.select("select * from People").value().isEmpty());
    EXPECT_TRUE(db.query("select * from NoTable").failed());
    EXPECT_FALSE(db.select("select * from NoTable").has_value());
    EXPECT_FALSE(db.execute("update People set Name = 'x' where Name = 'it's'"));
    const QStringList shown = prompts.takeTexts();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[0].contains("no such table"));
    EXPECT_FALSE(db.query("select * from People").failed());
    db.disconnect();
    EXPECT_EQ(DbAccess::findsRow("t.db", "select * from People", {}), std::optional<bool>(false));

    DbAccess holder; // a locked file gives no answer rather than "no"
    holder.connect("t.db");
    EXPECT_FALSE(DbAccess::findsRow("t.db", "select * from People", {}).has_value());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("locked"));
    {
        DbFailures taken; // a caller that tells the failure itself: the prompter hears nothing
        DbAccess second;
        second.connect("t.db");
        EXPECT_EQ(taken.last().words(), "database is locked");
    }
    EXPECT_TRUE(prompts.pending().isEmpty());
    holder.disconnect();

    DbAccess missing; // a missing file is reported once and not created
    missing.connect("Data/none.db");
    EXPECT_FALSE(missing.execute("delete from People"));
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(QFile::exists(programFile("Data/none.db")));
}

TEST_F(DbAccessTest, WrongPasswordOrCorruptFileReadsNothingAndChangesNothing)
{
    db.disconnect();
    db.connect("t.db", "123456");
    EXPECT_FALSE(db.isConnected());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("password"));

    QFile file(programFile("bad.db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray garbage(8192, '\x5a');
    file.write(garbage);
    file.close();
    db.connect("bad.db");
    EXPECT_FALSE(db.isConnected());
    EXPECT_FALSE(db.create("bad.db"));
    EXPECT_EQ(prompts.take().size(), 2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST_F(DbAccessTest, TransactionIsAllOrNothing)
{
    auto count = [&] { return db.select("select * from People").value().size(); };
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(db.execute("insert into People(Name) values('one')"));
        ASSERT_TRUE(db.execute("insert into People(Name) values('two')"));
    }
    EXPECT_EQ(count(), 0);
    DbTransaction transaction(db);
    ASSERT_TRUE(db.execute("insert into People(Name) values('one')"));
    ASSERT_TRUE(transaction.commit());
    EXPECT_EQ(count(), 1);
}

} // namespace
