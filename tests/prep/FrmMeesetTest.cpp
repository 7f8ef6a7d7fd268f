#include "prep/FrmMeeset.h"
#include "PrepPagesSupport.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "prep/MeetingListModel.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"
#include "ui/RecordList.h"

#include <QAbstractItemModelTester>
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
        page = std::make_unique<FrmMeeset>(list);
        page->show();
    }
    void TearDown() override
    {
        page.reset();
        ConsoleTest::TearDown();
    }

    template <typename T = QPushButton> T* find(const char* name) { return findWidget<T>(page.get(), name); }
    void click(const char* name) { clickButton(page.get(), name); }
    QTableView* view() { return find<QTableView>(FrmMeeset::kList); }
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

    Meeting stored(const QString& name)
    {
        const std::optional<Meeting> found = table.find(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found.value_or(Meeting());
    }

    void touch(const QString& relative)
    {
        QDir().mkpath(QFileInfo(programFile(relative)).path());
        QFile file(programFile(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 x}");
    }

    MeetingTable table;
    MeetingListModel list{table};
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
    const Meeting record = stored(QStringLiteral("Board A B 123"));
    QStringList row;
    for (const char* column : {"MeeAddr", "DueNum", "bSetLimit", "limit", "DateStart"})
        row << meetings(column);
    EXPECT_EQ(row, QStringList({"Room East", "120", "1", "50", "2026/03/05"}));
    EXPECT_TRUE(QFile::exists(programFile("Data/Board A B 123.db")));
    EXPECT_TRUE(QDir(programFile("MeeFile/" + record.key)).exists());

    // A second meeting in the same second still gets a key (and so a folder) of its own.
    create(QStringLiteral("Second"));
    EXPECT_NE(stored(QStringLiteral("Second")).key, record.key);
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

TEST_F(FrmMeesetTest, DeleteRemovesRowDatabaseFolderAndBanner)
{
    create(QStringLiteral("Doomed"));
    create(QStringLiteral("Other"));
    const Meeting doomed = stored(QStringLiteral("Doomed"));
    const Meeting other = stored(QStringLiteral("Other"));
    ASSERT_TRUE(table.setBanner(doomed.key, doomed.key + ".rtf"));
    touch(MeetingFiles::banner(doomed.key + ".rtf"));
    touch(MeetingFiles::proposal(doomed.key, "20260101000000.rtf"));
    touch(MeetingFiles::banner(other.key + ".rtf"));

    clickRow(view(), 0);
    prompts.answerNext(true);
    click("IDC_DELMOOT_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmMeeset")("MsgDelinfo")});
    EXPECT_EQ(meetings(), QStringList{"Other"});
    EXPECT_FALSE(QFile::exists(programFile("Data/Doomed.db")));
    EXPECT_FALSE(QDir(programFile("MeeFile/" + doomed.key)).exists());
    EXPECT_FALSE(QFile::exists(programFile(MeetingFiles::banner(doomed.key + ".rtf"))));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_TRUE(QDir(programFile("MeeFile/" + other.key)).exists());
    EXPECT_TRUE(QFile::exists(programFile(MeetingFiles::banner(other.key + ".rtf"))));
}

TEST_F(FrmMeesetTest, ARenameKeepsKeyAndBannerAndReachesEveryListSharingTheModel)
{
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTableView chooser; // as the meeting chooser lists the same model under its own headings
    RecordList::setUp(chooser, list, {"ID", "Meeting", "Starts"});
    const auto shown = [](const QTableView& v) {
        QStringList rows;
        for (int r = 0; r < v.model()->rowCount(); ++r)
            for (int c = 0; c < 3; ++c)
                rows << v.model()->index(r, c).data().toString();
        return rows;
    };
    create(QStringLiteral("Spring"));
    create(QStringLiteral("Old name"));
    EXPECT_EQ(view()->currentIndex().row(), 1); // the saved meeting is the selected one
    const Meeting before = stored(QStringLiteral("Old name"));
    ASSERT_TRUE(table.setBanner(before.key, before.key + ".rtf"));
    const QString today = QDate::currentDate().toString("yyyy/MM/dd");

    click("IDC_EDITMOOT_BUTTON");
    typeInto(edit(FrmMeeset::kNameEdit), QStringLiteral("New name"));
    typeInto(edit(FrmMeeset::kDueEdit), QStringLiteral("80"));
    find<QDateEdit>(FrmMeeset::kStartDate)->setDate(QDate(2026, 10, 2));
    click("IDC_SAVEMEE_BUTTON");
    EXPECT_EQ(shown(chooser), (QStringList{"1", "Spring", today, "2", "New name", "2026/10/02"}));
    EXPECT_EQ(shown(*view()), shown(chooser));
    EXPECT_EQ(chooser.model()->headerData(1, Qt::Horizontal).toString(), "Meeting");
    EXPECT_EQ(view()->model()->headerData(1, Qt::Horizontal).toString(), Texts("FrmMeeset")("MsgClewName"));
    const Meeting after = stored(QStringLiteral("New name"));
    EXPECT_EQ(QList<QVariant>({after.key, after.bannerFile, after.due}),
              QList<QVariant>({before.key, before.key + ".rtf", 80}));
    EXPECT_TRUE(QFile::exists(programFile("Data/New name.db")));

    clickRow(view(), 0);
    prompts.answerNext(true);
    click("IDC_DELMOOT_BUTTON");
    prompts.take();
    EXPECT_EQ(shown(chooser), (QStringList{"1", "New name", "2026/10/02"}));
}

} // namespace
