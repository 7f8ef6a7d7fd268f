#include "prep/FrmManinfo.h"
#include "PrepPagesSupport.h"
#include "data/Schema.h"
#include "data/SpreadsheetReader.h"
#include "prep/DelegateSheet.h"
#include "prep/DelegateTable.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"
#include "ui/FileDialog.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>

using namespace prep_test;

namespace {

const QString kTaken = QStringLiteral("Another delegate already has this unit number.");
const QString kChanged = QStringLiteral("The delegate's details have been changed.");
const QString kLast = QStringLiteral("This is the last delegate.");

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
        FileDialog::takeRequests();
        ConsoleTest::TearDown();
    }

    template <typename T = QPushButton> T* find(const char* name) { return findWidget<T>(page.get(), name); }
    void click(const char* name) { clickButton(page.get(), name); }
    QLineEdit* field(const char* id) { return find<QLineEdit>(id); }
    void type(const char* id, const QString& text) { typeInto(field(id), text); }
    QTableWidget* list() { return find<QTableWidget>(FrmManinfo::kList); }
    void select(int row) { clickRow(list(), row); }
    // New with the fields given; returns what was shown.
    QStringList addDelegate(const QString& unit, const QString& name, const QString& seat = QString())
    {
        type(FrmManinfo::kUnitEdit, unit);
        type(FrmManinfo::kNameEdit, name);
        type(FrmManinfo::kSeatEdit, seat);
        click(FrmManinfo::kNewButton);
        return prompts.takeTexts();
    }
    QStringList shown(int c)
    {
        QStringList out;
        for (int r = 0; r < list()->rowCount(); ++r)
            out << list()->item(r, c)->text();
        return out;
    }
    QString countShown() { return field(FrmManinfo::kCountField)->text(); }
    bool framed() { return !find<QLabel>(FrmManinfo::kPhoto)->pixmap().isNull(); }
    QByteArray storedPhoto(const QString& unit)
    {
        EXPECT_TRUE(table.load(unit));
        return table.photo(table.record.id);
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

TEST_F(FrmManinfoTest, NewChecksTheUnitNumberAndTheName)
{
    const QString empty = "Please enter the unit number (not 0) and the name.";
    const QString tooHigh = "The unit number must not be greater than 250.";
    const struct
    {
        const char* unit;
        const char* name;
        QString message;
    } refused[] = {{"", "Ann", empty}, {"5", "   ", empty}, {"000", "Ann", empty}, {"251", "Ann", tooHigh}};
    for (const auto& r : refused)
        EXPECT_EQ(addDelegate(r.unit, r.name), QStringList{r.message}) << r.unit;
    EXPECT_TRUE(table.all().value().isEmpty());

    // Letters cannot be typed into the unit number.
    type(FrmManinfo::kUnitEdit, "2x5-0");
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "250");
    type(FrmManinfo::kNameEdit, "Ann O'Neil");
    find<QComboBox>(FrmManinfo::kSexCombo)->setCurrentIndex(1);
    click(FrmManinfo::kNewButton);
    prompts.take();
    EXPECT_EQ(addDelegate("250", "Bo"), QStringList{kTaken});
    // "007" is unit 7.
    EXPECT_EQ(addDelegate("007", "Cy"), QStringList({"The delegate has been added."}));
    EXPECT_EQ(addDelegate("7", "Di"), QStringList{kTaken});

    EXPECT_EQ(shown(0), QStringList({"250", "7"}));
    EXPECT_EQ(shown(1), QStringList({"Ann O'Neil", "Cy"}));
    EXPECT_EQ(shown(2), QStringList({"Female", "Female"}));
    EXPECT_EQ(countShown(), "2");
}

TEST_F(FrmManinfoTest, ChangeAllowsTheOwnNumberAndZeroButNotAnothersNumber)
{
    addDelegate("1", "Ann", "A1");
    addDelegate("2", "Bo", "B2");
    select(1);
    EXPECT_EQ(field(FrmManinfo::kSeatEdit)->text(), "B2");
    type(FrmManinfo::kUnitEdit, "1");
    click(FrmManinfo::kChangeButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kTaken});

    type(FrmManinfo::kUnitEdit, "2");
    type(FrmManinfo::kNameEdit, "Bo Changed");
    click(FrmManinfo::kChangeButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kChanged});
    EXPECT_EQ(shown(1), QStringList({"Ann", "Bo Changed"}));
    // The same row is selected again and can be changed at once.
    EXPECT_EQ(list()->currentRow(), 1);
    type(FrmManinfo::kUnitEdit, "0");
    click(FrmManinfo::kChangeButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kChanged});
    EXPECT_EQ(shown(0), QStringList({"1", "0"}));
}

TEST_F(FrmManinfoTest, ChangeAndDeleteTakeTheShownRowOfTwoWithTheSameImportedNumber)
{
    table.record = DelegateRecord::fromListColumns({"9", "First nine"}, QString());
    ASSERT_TRUE(table.insert());
    table.record = DelegateRecord::fromListColumns({"9", "Second nine", "Unknown"}, QString());
    ASSERT_TRUE(table.insert());
    page->openMeeting("Autumn", QString());
    select(1);
    // A sex outside the list shows no item and is kept.
    EXPECT_EQ(find<QComboBox>(FrmManinfo::kSexCombo)->currentIndex(), -1);
    type(FrmManinfo::kNameEdit, "Second nine, renamed");
    click(FrmManinfo::kChangeButton);
    prompts.take();
    EXPECT_EQ(shown(1), QStringList({"First nine", "Second nine, renamed"}));
    EXPECT_EQ(shown(2), QStringList({"", "Unknown"}));

    select(0);
    click(FrmManinfo::kDeleteButton);
    EXPECT_EQ(shown(1), QStringList({"Second nine, renamed"}));
}

TEST_F(FrmManinfoTest, DeleteAsksNothingAndClearAllAsksFirst)
{
    addDelegate("1", "Ann");
    addDelegate("2", "Bo");
    select(0);
    click(FrmManinfo::kDeleteButton);
    EXPECT_EQ(shown(1), QStringList({"Bo"}));
    EXPECT_EQ(countShown(), "1");

    prompts.answerNext(false);
    click(FrmManinfo::kClearAllButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"Delete all delegates of this meeting?"}));
    EXPECT_EQ(shown(1), QStringList({"Bo"}));

    prompts.answerNext(true);
    click(FrmManinfo::kClearAllButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(countShown(), "0");
    EXPECT_TRUE(table.all().value().isEmpty());
}

TEST_F(FrmManinfoTest, FindShowsExactMatchesUntilTheListIsFilledAgain)
{
    addDelegate("1", "Ann");
    addDelegate("2", "Bo");
    addDelegate("3", "Ann");
    click(FrmManinfo::kFindButton);
    EXPECT_EQ(prompts.takeTexts(),
              QStringList({"Please choose whether to search by unit number or by name."}));
    QComboBox* by = find<QComboBox>(FrmManinfo::kSearchByCombo);
    by->setCurrentIndex(1);
    field(FrmManinfo::kSearchTextEdit)->setText("Ann");
    click(FrmManinfo::kFindButton);
    EXPECT_EQ(shown(0), QStringList({"1", "3"}));
    EXPECT_EQ(countShown(), "3"); // the meeting still has three
    field(FrmManinfo::kSearchTextEdit)->setText("An");
    click(FrmManinfo::kFindButton);
    EXPECT_TRUE(shown(0).isEmpty());

    // Change from a found list: the full list comes back with the changed delegate shown.
    by->setCurrentIndex(0);
    field(FrmManinfo::kSearchTextEdit)->setText("3");
    click(FrmManinfo::kFindButton);
    select(0);
    type(FrmManinfo::kNameEdit, "Ann Three");
    click(FrmManinfo::kChangeButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kChanged});
    EXPECT_EQ(shown(1), QStringList({"Ann", "Bo", "Ann Three"}));
    EXPECT_EQ(list()->currentRow(), 2);
}

TEST_F(FrmManinfoTest, ShowingTheSamePageForAnotherMeetingShowsThatMeeting)
{
    addDelegate("1", "Autumn delegate");
    select(0);
    ASSERT_EQ(Schema::createMeetingDatabase("Winter"), Schema::CreateResult::Created);
    DelegateTable winter;
    winter.setMeeting("Winter");
    winter.record = DelegateRecord::fromListColumns({"5", "Winter delegate"}, QString());
    ASSERT_TRUE(winter.insert());

    page->openMeeting("Winter", QString());
    EXPECT_EQ(shown(1), QStringList({"Winter delegate"}));
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), ""); // the other meeting's fields are gone
    EXPECT_FALSE(find(FrmManinfo::kChangeButton)->isEnabled());
}

TEST_F(FrmManinfoTest, APhotoTravelsWithNewAndChangeAndComesBackOnSelection)
{
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray red;
    QBuffer buffer(&red);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");

    FileDialog::setNextAnswers({writeFile("red.bmp", red)});
    click(FrmManinfo::kLoadPhotoButton);
    EXPECT_TRUE(framed());
    addDelegate("1", "With photo");
    EXPECT_FALSE(framed()); // emptied after New
    addDelegate("2", "Without photo");
    EXPECT_EQ(storedPhoto("1"), red);
    EXPECT_TRUE(storedPhoto("2").isEmpty());
    select(0);
    EXPECT_TRUE(framed());
    select(1);
    EXPECT_FALSE(framed());

    // Bytes that are no bitmap are kept and stored, but show nothing.
    const QByteArray notBmp = "GIF89a\x01\x00\x01\x00 not a bitmap";
    FileDialog::setNextAnswers({writeFile("fake.bmp", notBmp)});
    click(FrmManinfo::kLoadPhotoButton);
    EXPECT_FALSE(framed());
    click(FrmManinfo::kChangeButton);
    prompts.take();
    EXPECT_EQ(storedPhoto("2"), notBmp);

    // A file that cannot be read loads nothing; the shown photo stays.
    select(0);
    FileDialog::setNextAnswers({programFile("missing.bmp")});
    click(FrmManinfo::kLoadPhotoButton);
    EXPECT_TRUE(framed());

    // Remove photo, then Change: the stored photo goes too.
    click(FrmManinfo::kRemovePhotoButton);
    click(FrmManinfo::kChangeButton);
    prompts.take();
    EXPECT_TRUE(storedPhoto("1").isEmpty());
}

TEST_F(FrmManinfoTest, ExportWritesTheListAsShownAndImportBringsItBack)
{
    addDelegate("1", "Ann \"Q\"", "A1");
    addDelegate("2", "Bo", "B2");
    // The export writes what the list shows: here the found row only.
    find<QComboBox>(FrmManinfo::kSearchByCombo)->setCurrentIndex(1);
    field(FrmManinfo::kSearchTextEdit)->setText("Bo");
    click(FrmManinfo::kFindButton);
    FileDialog::setNextAnswers({programFile("found.xlsx")});
    click(FrmManinfo::kExportButton);
    SpreadsheetReader reader;
    SheetRows rows;
    ASSERT_TRUE(reader.open(programFile("found.xlsx")));
    ASSERT_TRUE(reader.readSheet("Sheet1", rows));
    EXPECT_EQ(rows.mid(1), SheetRows({{"2", "Bo", "Male", "", "", "", "", "", "", "B2"}}));

    // A typed .xls becomes .xlsx, and the operator is told; saving there again asks first.
    page->openMeeting("Autumn", QString());
    FileDialog::setNextAnswers({programFile("all.xls"), programFile("all.xls")});
    click(FrmManinfo::kExportButton);
    const QStringList told = prompts.takeTexts();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].endsWith(programFile("all.xlsx"))) << told[0].toStdString();
    EXPECT_FALSE(QFile::exists(programFile("all.xls")));
    prompts.answerNext(false);
    click(FrmManinfo::kExportButton);
    EXPECT_EQ(prompts.take().size(), 1);

    prompts.answerNext(true);
    click(FrmManinfo::kClearAllButton);
    prompts.take();
    FileDialog::setNextAnswers({programFile("all.xlsx")});
    click(FrmManinfo::kImportButton);
    EXPECT_EQ(shown(1), QStringList({"Ann \"Q\"", "Bo"}));
    EXPECT_EQ(shown(9), QStringList({"A1", "B2"}));
    EXPECT_EQ(countShown(), "2");
}

TEST_F(FrmManinfoTest, UnfitWorkbooksAreReportedAndChangeNothing)
{
    addDelegate("1", "Ann");
    ASSERT_EQ(DelegateSheet::exportList(programFile("nine.xlsx"), DelegateSheet::headings().mid(1), {}),
              DelegateSheet::Outcome::Done);
    const struct
    {
        const char* button;
        QString file;
        const char* told;
    } cases[] = {
        {FrmManinfo::kImportButton, programFile("nine.xlsx"), "Please Check the format of the Excel file!"},
        {FrmManinfo::kImportButton, writeFile("broken.xlsx", "PK\x03\x04 broken"),
         "The file could not be read as a spreadsheet"},
        {FrmManinfo::kExportButton, programFile("nowhere/x.xlsx"), "The spreadsheet could not be written"},
    };
    for (const auto& c : cases) {
        FileDialog::setNextAnswers({c.file});
        click(c.button);
        const QStringList texts = prompts.takeTexts();
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts[0].startsWith(c.told)) << texts[0].toStdString();
    }
    EXPECT_EQ(shown(1), QStringList({"Ann"}));
    EXPECT_EQ(table.all().value().size(), 1);
}

TEST_F(FrmManinfoTest, TenThousandImportedRowsAreListedAndPagedThrough)
{
    QList<QStringList> rows;
    for (int i = 0; i < 10000; ++i)
        rows.append({QString::number(i % 250 + 1), QStringLiteral("N%1").arg(i)});
    ASSERT_EQ(DelegateSheet::exportList(programFile("many.xlsx"), DelegateSheet::headings(), rows),
              DelegateSheet::Outcome::Done);
    FileDialog::setNextAnswers({programFile("many.xlsx")});
    click(FrmManinfo::kImportButton);
    EXPECT_EQ(countShown(), "10000");

    click(FrmManinfo::kNextButton); // next from nothing selected: the first row
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N0");
    click(FrmManinfo::kPreviousButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"This is the first delegate."}));
    click(FrmManinfo::kLastButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N9999");
    EXPECT_EQ(list()->currentRow(), 9999);
    click(FrmManinfo::kNextButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{kLast});
    click(FrmManinfo::kPreviousButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N9998");
    click(FrmManinfo::kFirstButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N0");
}

} // namespace
