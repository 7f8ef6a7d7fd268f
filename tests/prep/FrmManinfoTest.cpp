#include "prep/FrmManinfo.h"
#include "PrepPagesSupport.h"
#include "data/Schema.h"
#include "prep/DelegateSheet.h"
#include "prep/DelegateTable.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QFile>
#include <QPushButton>

using namespace prep_test;

namespace {

const QString kTaken = QStringLiteral("Another delegate already has this unit number.");
const QString kChanged = QStringLiteral("The delegate's details have been changed.");

class FrmManinfoTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_EQ(Schema::createMeetingDatabase("Autumn"), Schema::CreateResult::Created);
        page = std::make_unique<FrmManinfo>();
        page->openMeeting("Autumn", "20261206120000");
        table.setMeeting("Autumn");
    }
    void TearDown() override
    {
        page.reset();
        ConsoleTest::TearDown();
    }

    template <typename T = QPushButton> T* find(const char* name) { return findWidget<T>(page.get(), name); }
    void click(const char* name) { clickButton(page.get(), name); }
    QLineEdit* field(const char* id) { return find<QLineEdit>(id); }
    void type(const char* id, const QString& text) { typeInto(field(id), text); }
    QTableView* list() { return find<QTableView>(FrmManinfo::kList); }
    void select(int row) { clickRow(list(), row); }
    QStringList addDelegate(const QString& unit, const QString& name)
    {
        type(FrmManinfo::kUnitEdit, unit);
        type(FrmManinfo::kNameEdit, name);
        click(FrmManinfo::kNewButton);
        return prompts.takeTexts();
    }
    QStringList shown(int c)
    {
        QStringList out;
        const QAbstractItemModel& model = *list()->model();
        for (int r = 0; r < model.rowCount(); ++r)
            out << model.index(r, c).data().toString();
        return out;
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(programFile(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    std::unique_ptr<FrmManinfo> page;
    DelegateTable table;
};

TEST_F(FrmManinfoTest, NewAndChangeCheckTheUnitNumberAndTheName)
{
    const QString empty = "Please enter the unit number (not 0) and the name.";
    const std::pair<const char*, QString> refused[] = {
        {"", empty}, {"000", empty}, {"251", "The unit number must not be greater than 250."}};
    for (const auto& [unit, message] : refused)
        EXPECT_EQ(addDelegate(unit, "Ann"), QStringList{message}) << unit;
    EXPECT_TRUE(table.all().value().isEmpty());
    type(FrmManinfo::kUnitEdit, "2x5-0"); // letters cannot be typed
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "250");
    addDelegate("250", "Ann");
    addDelegate("007", "Cy");
    EXPECT_EQ(addDelegate("7", "Di"), QStringList{kTaken}); // "007" is unit 7
    EXPECT_EQ(shown(0), QStringList({"250", "7"}));

    select(1);
    type(FrmManinfo::kUnitEdit, "250");
    click(FrmManinfo::kChangeButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kTaken});
    type(FrmManinfo::kUnitEdit, "0");
    click(FrmManinfo::kChangeButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kChanged});
    EXPECT_EQ(shown(0), QStringList({"250", "0"}));
}

TEST_F(FrmManinfoTest, ChangeAndDeleteTakeTheShownRowOfTwoWithTheSameImportedNumber)
{
    Delegate first = Delegate::fromListed({"9", "First nine"});
    Delegate second = Delegate::fromListed({"9", "Second nine", "Unknown"});
    ASSERT_TRUE(table.insert(first));
    ASSERT_TRUE(table.insert(second));
    page->openMeeting("Autumn", QString());
    select(1);
    type(FrmManinfo::kNameEdit, "Second nine, renamed");
    click(FrmManinfo::kChangeButton);
    prompts.take();
    EXPECT_EQ(shown(1), QStringList({"First nine", "Second nine, renamed"}));
    EXPECT_EQ(shown(2), QStringList({"", "Unknown"})); // a sex outside the list is kept

    select(0);
    click(FrmManinfo::kDeleteButton);
    EXPECT_EQ(shown(1), QStringList({"Second nine, renamed"}));
    prompts.answerNext(false);
    click(FrmManinfo::kClearAllButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(table.all().value().size(), 1);
}

TEST_F(FrmManinfoTest, ExportWritesTheListAndImportBringsItBackOrChangesNothing)
{
    addDelegate("1", "Ann \"Q\"");
    addDelegate("2", "Bo");
    services.answerFiles({programFile("all.xls")});
    click(FrmManinfo::kExportButton);
    const QStringList told = prompts.takeTexts(); // a typed .xls becomes .xlsx
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].endsWith(programFile("all.xlsx"))) << told[0].toStdString();

    ASSERT_EQ(DelegateSheet::exportList(programFile("nine.xlsx"), DelegateSheet::headings().mid(1), {}),
              DelegateSheet::Outcome::Done);
    const std::pair<QString, const char*> unfit[] = {
        {programFile("nine.xlsx"), "Please Check the format of the Excel file!"},
        {writeFile("broken.xlsx", "PK\x03\x04 broken"), "The file could not be read as a spreadsheet"}};
    for (const auto& [file, message] : unfit) {
        services.answerFiles({file});
        click(FrmManinfo::kImportButton);
        const QStringList texts = prompts.takeTexts();
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts[0].startsWith(message)) << texts[0].toStdString();
    }
    EXPECT_EQ(table.all().value().size(), 2);

    prompts.answerNext(true);
    click(FrmManinfo::kClearAllButton);
    prompts.take();
    services.answerFiles({programFile("all.xlsx")});
    click(FrmManinfo::kImportButton);
    EXPECT_EQ(shown(1), QStringList({"Ann \"Q\"", "Bo"}));
}

TEST_F(FrmManinfoTest, ManyImportedRowsAreListedAndPagedThrough)
{
    QList<QStringList> rows;
    for (int i = 0; i < 2000; ++i)
        rows.append({QString::number(i % 250 + 1), QStringLiteral("N%1").arg(i)});
    ASSERT_EQ(DelegateSheet::exportList(programFile("many.xlsx"), DelegateSheet::headings(), rows),
              DelegateSheet::Outcome::Done);
    services.answerFiles({programFile("many.xlsx")});
    click(FrmManinfo::kImportButton);
    EXPECT_EQ(field(FrmManinfo::kCountField)->text(), "2000");

    click(FrmManinfo::kNextButton); // next from nothing selected: the first row
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N0");
    click(FrmManinfo::kPreviousButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"This is the first delegate."}));
    click(FrmManinfo::kLastButton);
    EXPECT_EQ(list()->currentIndex().row(), 1999);
    click(FrmManinfo::kNextButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"This is the last delegate."}));
    click(FrmManinfo::kPreviousButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N1998");
}

} // namespace
