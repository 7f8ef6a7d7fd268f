#include "prep/FrmMeeset.h"
#include "PrepPagesSupport.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "prep/MeetingTable.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QPushButton>

using namespace prep_test;

namespace {

class FrmMeesetTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        page = std::make_unique<FrmMeeset>();
        page->show();
    }
    void TearDown() override
    {
        page.reset();
        ConsoleTest::TearDown();
    }

    template <typename T = QPushButton> T* find(const char* name) { return findWidget<T>(page.get(), name); }
    void click(const char* name) { clickButton(page.get(), name); }
    QTableWidget* list() { return find<QTableWidget>(FrmMeeset::kList); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }

    // New, the fields, Save.
    void create(const QString& name, const QString& due = QStringLiteral("100"))
    {
        click("IDC_NEWMOOT_BUTTON");
        typeInto(edit(FrmMeeset::kNameEdit), name);
        typeInto(edit(FrmMeeset::kPlaceEdit), QStringLiteral("Great Hall"));
        typeInto(edit(FrmMeeset::kDueEdit), due);
        click("IDC_SAVEMEE_BUTTON");
    }

    QStringList meetings(const char* column = "MeeName")
    {
        return prep_test::column(Schema::kSystemDatabase, "select * from Mottag order by ID", column);
    }

    MeetingRecord stored(const QString& name)
    {
        MeetingTable table;
        EXPECT_TRUE(table.load(name)) << name.toStdString();
        return table.record;
    }

    void touch(const QString& relative)
    {
        QDir().mkpath(QFileInfo(programFile(relative)).path());
        QFile file(programFile(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 x}");
    }

    std::unique_ptr<FrmMeeset> page;
};

TEST_F(FrmMeesetTest, NewMeetingStoresRowDatabaseAndFolder)
{
    click("IDC_NEWMOOT_BUTTON");
    // What cannot be part of a file name vanishes while typing.
    typeInto(edit(FrmMeeset::kNameEdit), QStringLiteral("Board \"A\" 'B' 1/2:3*?<>|\\"));
    EXPECT_EQ(edit(FrmMeeset::kNameEdit)->text(), "Board A B 123");
    typeInto(edit(FrmMeeset::kPlaceEdit), QStringLiteral("Room 'East'"));
    typeInto(edit(FrmMeeset::kDueEdit), QStringLiteral("1a2b0"));
    QTest::mouseClick(find<QCheckBox>("IDC_MEE_VIEWLEG"), Qt::LeftButton);
    find<QDateEdit>(FrmMeeset::kStartDate)->setDate(QDate(2026, 3, 5));
    click("IDC_SAVEMEE_BUTTON");

    ASSERT_EQ(meetings(), (QStringList{"Board A B 123"}));
    const MeetingRecord record = stored(QStringLiteral("Board A B 123"));
    EXPECT_EQ(QStringList({record.MeeAddr, record.DueNum, record.bSetLimit, record.limit, record.DateStart}),
              QStringList({"Room East", "120", "1", "50", "2026/03/05"}));
    EXPECT_TRUE(QFile::exists(programFile("Data/Board A B 123.db")));
    EXPECT_TRUE(QDir(programFile("MeeFile/" + record.insertdate)).exists());

    // A second meeting in the same second still gets a key (and so a folder) of its own.
    create(QStringLiteral("Second"));
    EXPECT_NE(stored(QStringLiteral("Second")).insertdate, record.insertdate);
}

TEST_F(FrmMeesetTest, RefusedInputStoresNothingAndStaysEditing)
{
    const Texts texts(QStringLiteral("FrmMeeset"));
    create(QStringLiteral("    "), QStringLiteral("10"));
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgClew1")});
    typeInto(edit(FrmMeeset::kNameEdit), QStringLiteral("x"));
    typeInto(edit(FrmMeeset::kDueEdit), QStringLiteral("000"));
    click("IDC_SAVEMEE_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList{"请输入正确的应到人数"});
    typeInto(edit(FrmMeeset::kDueEdit), QStringLiteral("10"));
    EXPECT_TRUE(meetings().isEmpty());
    EXPECT_TRUE(QDir(programFile("Data")).entryList(QDir::Files).isEmpty());
    click("IDC_SAVEMEE_BUTTON"); // stores "x"; a second "x" is refused
    create(QStringLiteral("x"));
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgClew2")});
    EXPECT_EQ(meetings(), QStringList{"x"});
}

TEST_F(FrmMeesetTest, RenameMovesTheDatabaseAndKeepsKeyFolderAndBanner)
{
    create(QStringLiteral("Old name"));
    const MeetingRecord before = stored(QStringLiteral("Old name"));
    ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath("Old name"),
                                      "insert into Employees(CellNo) values('12')"));
    MeetingTable table;
    ASSERT_TRUE(table.setBanner(before.insertdate, before.insertdate + ".rtf"));
    touch(MeetingFiles::banner(before.insertdate + ".rtf"));

    clickRow(list(), 0);
    click("IDC_EDITMOOT_BUTTON");
    typeInto(edit(FrmMeeset::kNameEdit), QStringLiteral("New name"));
    typeInto(edit(FrmMeeset::kDueEdit), QStringLiteral("80"));
    click("IDC_SAVEMEE_BUTTON");

    EXPECT_EQ(meetings(), QStringList{"New name"});
    const MeetingRecord after = stored(QStringLiteral("New name"));
    EXPECT_EQ(after.insertdate, before.insertdate);
    EXPECT_EQ(after.bannerPath, before.insertdate + ".rtf");
    EXPECT_EQ(after.DueNum, "80");
    EXPECT_FALSE(QFile::exists(programFile("Data/Old name.db")));
    EXPECT_EQ(column(Schema::meetingDatabasePath("New name"), "select CellNo from Employees", "CellNo"),
              QStringList{"12"});
    EXPECT_TRUE(QFile::exists(programFile(MeetingFiles::banner(before.insertdate + ".rtf"))));
}

TEST_F(FrmMeesetTest, DeleteRemovesRowDatabaseFolderAndBanner)
{
    create(QStringLiteral("Doomed"));
    create(QStringLiteral("Other"));
    const MeetingRecord doomed = stored(QStringLiteral("Doomed"));
    const MeetingRecord other = stored(QStringLiteral("Other"));
    MeetingTable table;
    ASSERT_TRUE(table.setBanner(doomed.insertdate, doomed.insertdate + ".rtf"));
    touch(MeetingFiles::banner(doomed.insertdate + ".rtf"));
    touch(MeetingFiles::proposal(doomed.insertdate, "20260101000000.rtf"));
    touch(MeetingFiles::banner(other.insertdate + ".rtf"));

    clickRow(list(), 0);
    prompts.answerNext(true);
    click("IDC_DELMOOT_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmMeeset")("MsgDelinfo")});
    EXPECT_EQ(meetings(), QStringList{"Other"});
    EXPECT_FALSE(QFile::exists(programFile("Data/Doomed.db")));
    EXPECT_FALSE(QDir(programFile("MeeFile/" + doomed.insertdate)).exists());
    EXPECT_FALSE(QFile::exists(programFile(MeetingFiles::banner(doomed.insertdate + ".rtf"))));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_TRUE(QDir(programFile("MeeFile/" + other.insertdate)).exists());
    EXPECT_TRUE(QFile::exists(programFile(MeetingFiles::banner(other.insertdate + ".rtf"))));
}

} // namespace
