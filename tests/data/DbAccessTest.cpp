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
        DbAccess db;
        ASSERT_TRUE(db.Create("t.db"));
        ASSERT_TRUE(db.Execute("create table People(id integer primary key autoincrement, Name varchar(50),"
                               " Age int, Note varchar(50), Photo blob)"));
        db.Disconnect();
    }
};

TEST_F(DbAccessTest, BoundValuesRoundTripAndNullLeavesTheCallersField)
{
    const QString name = QStringLiteral("O'Brien \"the\" 代表; drop table People; --");
    const QByteArray bytes("BM\0\x01\xFF", 5);
    DbAccess db;
    db.Connect("t.db");
    ASSERT_TRUE(db.Execute("insert into People(Name, Age, Photo) values(?,?,?)", {name, 42, bytes}));
    Recordset& rows = db.Query("select * from People where Name = ?", {name});
    ASSERT_FALSE(rows.isEof());
    QString readName, note = "kept";
    QByteArray photo;
    rows.read("NAME", readName); // column names are case-insensitive
    rows.readBytes("Photo", photo);
    rows.read("Note", note);
    EXPECT_EQ(readName, name);
    EXPECT_EQ(photo, bytes);
    EXPECT_EQ(note, "kept");
    rows.moveNext();
    EXPECT_TRUE(rows.isEof());

    db.Disconnect(); // the next statement reconnects from the stored path
    const DbRow row = db.select("select * from People").value().first();
    EXPECT_EQ(row.text("Age"), "42");
    row.read("Note", note);
    EXPECT_EQ(note, "kept");
    EXPECT_EQ(row.text("Note"), "");
}

TEST_F(DbAccessTest, MissingFileIsReportedOnceAndNotCreated)
{
    DbAccess db;
    db.Connect("Data/none.db");
    EXPECT_FALSE(db.isConnected());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("No such file"));

    // One failure, one message: the statements after it find nothing and say nothing.
    EXPECT_TRUE(db.Query("select * from People").failed());
    EXPECT_FALSE(db.Execute("delete from People"));
    EXPECT_TRUE(prompts.take().isEmpty());
    db.Disconnect();
    EXPECT_FALSE(QFile::exists(programFile("Data/none.db")));

    // After Disconnect a statement tries the stored path again, and reports again.
    EXPECT_TRUE(db.Query("select * from People").isEof());
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(DbAccess::executeOnce("Data/none.db", "delete from People"));
    EXPECT_FALSE(DbAccess::rowExists("Data/none.db", "select * from People", {}));
    EXPECT_EQ(prompts.take().size(), 2);
}

TEST_F(DbAccessTest, AFailedQueryIsToldApartFromOneThatFoundNothing)
{
    DbAccess db;
    db.Connect("t.db");
    EXPECT_FALSE(db.Query("select * from People").failed());
    EXPECT_TRUE(db.select("select * from People").value().isEmpty());

    EXPECT_TRUE(db.Query("select * from NoTable").failed());
    EXPECT_FALSE(db.select("select * from NoTable").has_value());
    EXPECT_FALSE(db.Execute("update People set Name = 'x' where Name = 'it's'"));
    const QStringList shown = prompts.takeTexts(); // each failure once, with the store's text
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[0].contains("no such table"));
    EXPECT_TRUE(shown[2].contains("syntax error"));
    // The next good Query is not marked by the failure before it.
    EXPECT_FALSE(db.Query("select * from People").failed());
    db.Disconnect();
    EXPECT_EQ(DbAccess::findsRow("t.db", "select * from People", {}), std::optional<bool>(false));
}

TEST_F(DbAccessTest, ALockedFileIsRefusedAndGivesNoAnswerRatherThanNo)
{
    DbAccess::executeOnce("t.db", "insert into People(Name) values('A')");
    DbAccess holder;
    holder.Connect("t.db");
    ASSERT_TRUE(holder.isConnected());
    DbAccess second;
    second.Connect("t.db");
    EXPECT_FALSE(second.isConnected());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("locked"));

    EXPECT_FALSE(DbAccess::findsRow("t.db", "select * from People", {}).has_value());
    EXPECT_FALSE(DbAccess::selectOnce("t.db", "select * from People").has_value());
    EXPECT_EQ(prompts.take().size(), 2);

    holder.Disconnect();
    EXPECT_EQ(DbAccess::findsRow("t.db", "select * from People", {}), std::optional<bool>(true));
}

TEST_F(DbAccessTest, WrongPasswordReadsNothing)
{
    DbAccess db;
    db.Connect("t.db", "123456");
    EXPECT_FALSE(db.isConnected());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("password"));
    db.Connect("t.db");
    EXPECT_TRUE(db.isConnected());
}

TEST_F(DbAccessTest, CorruptFileIsReportedAndLeftAlone)
{
    QFile file(programFile("bad.db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray garbage(8192, '\x5a');
    file.write(garbage);
    file.close();

    DbAccess db;
    db.Connect("bad.db");
    EXPECT_FALSE(db.isConnected());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("not a database"));
    // Create never writes over a file, even a broken one.
    EXPECT_FALSE(db.Create("bad.db"));
    EXPECT_EQ(prompts.take().size(), 1);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST_F(DbAccessTest, TransactionIsAllOrNothing)
{
    DbAccess db;
    db.Connect("t.db");
    auto count = [&] {
        QString n;
        db.Query("select count(*) as n from People").read("n", n);
        return n;
    };
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(db.Execute("insert into People(Name) values('one')"));
        ASSERT_TRUE(db.Execute("insert into People(Name) values('two')"));
    } // not committed: rolled back
    EXPECT_EQ(count(), "0");
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(db.Execute("insert into People(Name) values('one')"));
        ASSERT_TRUE(transaction.commit());
    }
    EXPECT_EQ(count(), "1");
}

} // namespace
