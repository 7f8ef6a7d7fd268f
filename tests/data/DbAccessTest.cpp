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

TEST_F(DbAccessTest, StoresAndReadsValuesWithQuotesAndBytesUnchanged)
{
    const QString name = QStringLiteral("O'Brien \"the\" 代表; drop table People; --");
    const QByteArray bytes("BM\0\x01\xFF", 5);
    DbAccess db;
    db.Connect("t.db");
    ASSERT_TRUE(db.Execute("insert into People(Name, Age, Photo) values(?,?,?)", {name, 42, bytes}));
    Recordset& rows = db.Query("select * from People where Name = ?", {name});
    ASSERT_FALSE(rows.isEof());
    QString readName, age;
    QByteArray photo;
    rows.read("NAME", readName); // column names are case-insensitive
    rows.read("Age", age);
    rows.readBytes("Photo", photo);
    EXPECT_EQ(readName, name);
    EXPECT_EQ(age, "42");
    EXPECT_EQ(photo, bytes);
    rows.moveNext();
    EXPECT_TRUE(rows.isEof());

    // The whole-row reads give the same values.
    const auto all = db.select("select * from People");
    ASSERT_TRUE(all && all->size() == 1);
    EXPECT_EQ(all->first().text("name"), name);
    EXPECT_EQ(all->first().text("Age"), "42");
    QByteArray rowPhoto;
    all->first().readBytes("Photo", rowPhoto);
    EXPECT_EQ(rowPhoto, bytes);
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

    const DbRow row = db.select("select * from People").value().first();
    row.read("Note", note);
    row.readBytes("Photo", photo);
    EXPECT_EQ(note, "kept");
    EXPECT_EQ(photo, "kept");
    EXPECT_EQ(row.text("Note"), "");
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
    EXPECT_TRUE(rows.failed());
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

TEST_F(DbAccessTest, AFailedQueryIsToldApartFromOneThatFoundNothing)
{
    DbAccess db;
    db.Connect("t.db");
    const Recordset& empty = db.Query("select * from People");
    EXPECT_TRUE(empty.isEof());
    EXPECT_FALSE(empty.failed());
    const auto none = db.select("select * from People");
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->isEmpty());

    EXPECT_TRUE(db.Query("select * from NoTable").failed());
    EXPECT_FALSE(db.select("select * from NoTable").has_value());
    EXPECT_EQ(prompts.take().size(), 2); // each failure reported once, as designed
    // The next good Query is not marked by the failure before it.
    EXPECT_FALSE(db.Query("select * from People").failed());
    db.Disconnect();

    EXPECT_EQ(DbAccess::findsRow("t.db", "select * from People", {}), std::optional<bool>(false));
    EXPECT_EQ(DbAccess::selectOnce("t.db", "select * from People").value().size(), 0);
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
    EXPECT_FALSE(DbAccess::rowExists("t.db", "select * from People", {})); // the designed reading
    EXPECT_EQ(prompts.take().size(), 3);

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

} // namespace
