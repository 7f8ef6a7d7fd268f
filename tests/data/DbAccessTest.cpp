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

    QByteArray fileBytes(const QString& relative)
    {
        QFile file(programFile(relative));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
};

TEST_F(DbAccessTest, StoresAndReadsValuesWithQuotesUnchanged)
{
    const QString name = QStringLiteral("O'Brien \"the\" 代表; drop table People; --");
    DbAccess db;
    db.Connect("t.db");
    ASSERT_TRUE(db.Execute("insert into People(Name, Age) values(?,?)", {name, 42}));
    Recordset& rows = db.Query("select * from People where Name = ?", {name});
    ASSERT_FALSE(rows.isEof());
    QString readName, age;
    rows.read("NAME", readName); // column names are case-insensitive
    rows.read("Age", age);
    EXPECT_EQ(readName, name);
    EXPECT_EQ(age, "42");
    rows.moveNext();
    EXPECT_TRUE(rows.isEof());
    db.Disconnect();
}

TEST_F(DbAccessTest, NullLeavesTheCallersFieldAsItWas)
{
    DbAccess db;
    db.Connect("t.db");
    ASSERT_TRUE(db.Execute("insert into People(Name) values(?)", {QStringLiteral("A")}));
    const Recordset& rows = db.Query("select * from People");
    QString note = "kept";
    QByteArray photo = "kept";
    rows.read("Note", note);
    rows.readBytes("Photo", photo);
    rows.read("NoSuchColumn", note);
    EXPECT_EQ(note, "kept");
    EXPECT_EQ(photo, "kept");
    EXPECT_TRUE(rows.isNull("Note"));
}

TEST_F(DbAccessTest, BytesRoundTrip)
{
    QByteArray bytes("BM\0\x01\xFF", 5);
    DbAccess db;
    db.Connect("t.db");
    ASSERT_TRUE(db.Execute("insert into People(Photo) values(?)", {bytes}));
    QByteArray read;
    db.Query("select Photo from People").readBytes("Photo", read);
    EXPECT_EQ(read, bytes);
}

TEST_F(DbAccessTest, ReconnectsFromTheStoredPath)
{
    DbAccess db;
    db.Connect("t.db");
    db.Disconnect();
    EXPECT_FALSE(db.isConnected());
    EXPECT_TRUE(db.Execute("insert into People(Name) values('B')"));
    db.Disconnect();
    QString name;
    db.Query("select Name from People").read("Name", name);
    EXPECT_EQ(name, "B");
}

TEST_F(DbAccessTest, MissingFileIsReportedAndNotCreated)
{
    DbAccess db;
    db.Connect("Data/none.db");
    EXPECT_FALSE(db.isConnected());
    const QStringList shown = prompts.takeTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("No such file")) << shown[0].toStdString();

    // One failure, one message: the statements after it find nothing and say nothing.
    const Recordset& rows = db.Query("select * from People");
    EXPECT_TRUE(rows.isEof());
    EXPECT_FALSE(db.Execute("delete from People"));
    EXPECT_TRUE(prompts.take().isEmpty());
    db.Disconnect(); // after a failed Connect: nothing happens
    EXPECT_FALSE(QFile::exists(programFile("Data/none.db")));

    // After Disconnect a statement tries the stored path again, and reports again.
    EXPECT_TRUE(db.Query("select * from People").isEof());
    EXPECT_EQ(prompts.take().size(), 1);

    // The accessors' one-statement helpers report a missing file once too.
    EXPECT_FALSE(DbAccess::executeOnce("Data/none.db", "delete from People"));
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(DbAccess::rowExists("Data/none.db", "select * from People", {}));
    EXPECT_EQ(prompts.take().size(), 1);
}

TEST_F(DbAccessTest, FailedStatementsReportTheStoresText)
{
    DbAccess db;
    db.Connect("t.db");
    EXPECT_FALSE(db.Execute("update People set Name = 'x' where Name = 'it's'"));
    const QStringList shown = prompts.takeTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("syntax error")) << shown[0].toStdString();

    EXPECT_TRUE(db.Query("select * from NoTable").isEof());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("no such table"));
}

TEST_F(DbAccessTest, SecondConnectionIsRefusedWhileTheFirstIsOpen)
{
    DbAccess first;
    first.Connect("t.db");
    ASSERT_TRUE(first.isConnected());
    DbAccess second;
    second.Connect("t.db");
    EXPECT_FALSE(second.isConnected());
    EXPECT_TRUE(prompts.takeTexts().value(0).contains("locked"));
    first.Disconnect();
    second.Connect("t.db");
    EXPECT_TRUE(second.isConnected());
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
    EXPECT_EQ(fileBytes("bad.db"), garbage);
}

TEST_F(DbAccessTest, TransactionIsAllOrNothing)
{
    DbAccess db;
    db.Connect("t.db");
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(db.Execute("insert into People(Name) values('one')"));
        ASSERT_TRUE(db.Execute("insert into People(Name) values('two')"));
        // Not committed: rolled back when the transaction ends.
    }
    QString count;
    db.Query("select count(*) as n from People").read("n", count);
    EXPECT_EQ(count, "0");
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(db.Execute("insert into People(Name) values('one')"));
        ASSERT_TRUE(transaction.commit());
    }
    db.Query("select count(*) as n from People").read("n", count);
    EXPECT_EQ(count, "1");
}

TEST_F(DbAccessTest, CreateRefusesAnExistingFile)
{
    DbAccess db;
    EXPECT_FALSE(db.Create("t.db"));
    EXPECT_EQ(prompts.take().size(), 1);
}

} // namespace
