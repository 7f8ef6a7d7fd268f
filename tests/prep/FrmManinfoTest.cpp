#include "prep/FrmManinfo.h"
#include "support/ConsoleTest.h"
#include "data/DbAccess.h"
#include "prep/DelegateSheet.h"
#include "prep/DelegateTable.h"
#include "ui/FileDialog.h"
#include "data/Schema.h"
#include "data/SpreadsheetReader.h"
#include "support/WidgetFinder.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

QByteArray bmpBytes(QColor colour, int width = 40, int height = 50)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

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

    template <typename T> T* find(const char* name) { return findWidget<T>(page.get(), name); }
    void click(const char* name) { clickButton(page.get(), name); }
    QLineEdit* field(const char* id) { return find<QLineEdit>(id); }
    void type(const char* id, const QString& text)
    {
        field(id)->clear();
        // QTest types ASCII only; other text arrives as a paste would.
        bool ascii = true;
        for (const QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(field(id), text);
        else
            field(id)->insert(text);
    }
    void fill(const QString& unit, const QString& name, const QString& seat = QString())
    {
        type(FrmManinfo::kUnitEdit, unit);
        type(FrmManinfo::kNameEdit, name);
        type(FrmManinfo::kSeatEdit, seat);
    }
    // New with the fields given; returns what was shown.
    QStringList addDelegate(const QString& unit, const QString& name, const QString& seat = QString())
    {
        fill(unit, name, seat);
        click("IDC_NEWINFO_BUTTON");
        return prompts.takeTexts();
    }
    void clickRow(int row)
    {
        QTableWidget* list = find<QTableWidget>(FrmManinfo::kList);
        const QRect cell = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QStringList column(int c)
    {
        QTableWidget* list = find<QTableWidget>(FrmManinfo::kList);
        QStringList out;
        for (int r = 0; r < list->rowCount(); ++r)
            out << list->item(r, c)->text();
        return out;
    }
    QString countShown() { return field(FrmManinfo::kCountField)->text(); }
    bool framed() { return !find<QLabel>(FrmManinfo::kPhoto)->pixmap().isNull(); }
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
    EXPECT_FALSE(find<QPushButton>("IDC_EDITINFO_BUTTON")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("IDC_DELETEINFO_BUTTON")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("IDC_CLEAR_MANINFO")->isEnabled());
    EXPECT_EQ(find<QComboBox>(FrmManinfo::kSexCombo)->currentText(), "Male");

    const QString empty = "Please enter the unit number (not 0) and the name.";
    EXPECT_EQ(addDelegate("", "Ann"), QStringList({empty}));
    EXPECT_EQ(addDelegate("5", ""), QStringList({empty}));
    EXPECT_EQ(addDelegate("5", "   "), QStringList({empty}));
    EXPECT_EQ(addDelegate("0", "Ann"), QStringList({empty}));
    EXPECT_EQ(addDelegate("000", "Ann"), QStringList({empty}));
    EXPECT_EQ(addDelegate("251", "Ann"), QStringList({"The unit number must not be greater than 250."}));
    EXPECT_EQ(addDelegate("99999", "Ann"), QStringList({"The unit number must not be greater than 250."}));
    ASSERT_TRUE(table.loadList());
    EXPECT_TRUE(table.list.isEmpty());

    // Letters cannot be typed into the unit number.
    type(FrmManinfo::kUnitEdit, "2x5-0");
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "250");
    type(FrmManinfo::kNameEdit, "Ann O'Neil");
    find<QComboBox>(FrmManinfo::kSexCombo)->setCurrentIndex(1);
    type(FrmManinfo::kFieldEdits[2], "Han");
    click("IDC_NEWINFO_BUTTON");
    EXPECT_EQ(prompts.take().value(0).caption, "Notice");
    EXPECT_EQ(addDelegate("250", "Bo"), QStringList({"Another delegate already has this unit number."}));
    // "007" is unit 7.
    EXPECT_EQ(addDelegate("007", "Cy"), QStringList({"The delegate has been added."}));
    EXPECT_EQ(addDelegate("7", "Di"), QStringList({"Another delegate already has this unit number."}));

    EXPECT_EQ(column(0), QStringList({"250", "7"}));
    EXPECT_EQ(column(1), QStringList({"Ann O'Neil", "Cy"}));
    EXPECT_EQ(column(2), QStringList({"Female", "Female"}));
    EXPECT_EQ(column(3), QStringList({"Han", "Han"}));
    EXPECT_EQ(countShown(), "2");
    EXPECT_TRUE(find<QPushButton>("IDC_CLEAR_MANINFO")->isEnabled());
    ASSERT_TRUE(table.load("250"));
    EXPECT_EQ(table.record.Grouping, ""); // the page's group
}

TEST_F(FrmManinfoTest, ChangeAllowsTheOwnNumberAndZeroButNotAnothersNumber)
{
    addDelegate("1", "Ann", "A1");
    addDelegate("2", "Bo", "B2");
    clickRow(1);
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "2");
    EXPECT_EQ(field(FrmManinfo::kSeatEdit)->text(), "B2");
    EXPECT_TRUE(find<QPushButton>("IDC_EDITINFO_BUTTON")->isEnabled());

    type(FrmManinfo::kUnitEdit, "1");
    click("IDC_EDITINFO_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList({"Another delegate already has this unit number."}));

    type(FrmManinfo::kUnitEdit, "2");
    type(FrmManinfo::kNameEdit, "Bo Changed");
    click("IDC_EDITINFO_BUTTON");
    const auto shown = prompts.take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, "The delegate's details have been changed.");
    EXPECT_EQ(shown[0].caption, ""); // a plain box
    EXPECT_EQ(column(1), QStringList({"Ann", "Bo Changed"}));
    // The same row is selected again and can be changed at once.
    EXPECT_EQ(find<QTableWidget>(FrmManinfo::kList)->currentRow(), 1);
    EXPECT_TRUE(find<QPushButton>("IDC_EDITINFO_BUTTON")->isEnabled());

    type(FrmManinfo::kUnitEdit, "0");
    click("IDC_EDITINFO_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList({"The delegate's details have been changed."}));
    type(FrmManinfo::kUnitEdit, "300");
    click("IDC_EDITINFO_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList({"The unit number must not be greater than 250."}));
    EXPECT_EQ(column(0), QStringList({"1", "0"}));
}

TEST_F(FrmManinfoTest, ChangingOneOfTwoRowsWithTheSameImportedNumberLeavesTheOther)
{
    table.record = DelegateRecord::fromListColumns({"9", "First nine"}, QString());
    ASSERT_TRUE(table.insert());
    table.record = DelegateRecord::fromListColumns({"9", "Second nine", "Unknown"}, QString());
    ASSERT_TRUE(table.insert());
    page->openMeeting("Autumn", QString());
    clickRow(1);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "Second nine");
    // A sex outside the list shows no item and is kept.
    EXPECT_EQ(find<QComboBox>(FrmManinfo::kSexCombo)->currentIndex(), -1);
    type(FrmManinfo::kNameEdit, "Second nine, renamed");
    click("IDC_EDITINFO_BUTTON");
    prompts.take();
    EXPECT_EQ(column(1), QStringList({"First nine", "Second nine, renamed"}));
    EXPECT_EQ(column(2), QStringList({"", "Unknown"}));

    // Delete takes the shown row only.
    clickRow(0);
    click("IDC_DELETEINFO_BUTTON");
    EXPECT_EQ(column(1), QStringList({"Second nine, renamed"}));
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "");
    EXPECT_FALSE(find<QPushButton>("IDC_DELETEINFO_BUTTON")->isEnabled());
}

TEST_F(FrmManinfoTest, DeleteAsksNothingAndClearAllAsksFirst)
{
    addDelegate("1", "Ann");
    addDelegate("2", "Bo");
    clickRow(0);
    click("IDC_DELETEINFO_BUTTON");
    EXPECT_TRUE(prompts.pending().isEmpty());
    EXPECT_EQ(column(1), QStringList({"Bo"}));
    EXPECT_EQ(countShown(), "1");

    prompts.answerNext(false);
    click("IDC_CLEAR_MANINFO");
    auto asked = prompts.take();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].question);
    EXPECT_EQ(asked[0].text, "Delete all delegates of this meeting?");
    EXPECT_EQ(column(1), QStringList({"Bo"}));

    clickRow(0);
    prompts.answerNext(true);
    click("IDC_CLEAR_MANINFO");
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(find<QTableWidget>(FrmManinfo::kList)->rowCount(), 0);
    EXPECT_EQ(countShown(), "0");
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "");
    EXPECT_FALSE(find<QPushButton>("IDC_CLEAR_MANINFO")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("IDC_EDITINFO_BUTTON")->isEnabled());
    ASSERT_TRUE(table.loadList());
    EXPECT_TRUE(table.list.isEmpty());
}

TEST_F(FrmManinfoTest, PagingStopsAtBothEndsWithAMessage)
{
    for (int i = 1; i <= 3; ++i)
        addDelegate(QString::number(i), QStringLiteral("D%1").arg(i));
    click(FrmManinfo::kNextButton); // next from nothing selected: the first row
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "D1");
    click(FrmManinfo::kPreviousButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"This is the first delegate."}));
    click(FrmManinfo::kLastButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "D3");
    EXPECT_EQ(find<QTableWidget>(FrmManinfo::kList)->currentRow(), 2);
    click(FrmManinfo::kNextButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"This is the last delegate."}));
    click(FrmManinfo::kPreviousButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "D2");
    click(FrmManinfo::kFirstButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "D1");
    EXPECT_TRUE(find<QPushButton>("IDC_DELETEINFO_BUTTON")->isEnabled());
    EXPECT_FALSE(find<QPushButton>(FrmManinfo::kFirstButton)->accessibleName().isEmpty());
}

TEST_F(FrmManinfoTest, FindShowsExactMatchesUntilTheListIsFilledAgain)
{
    addDelegate("1", "Ann");
    addDelegate("2", "Bo");
    addDelegate("3", "Ann");
    click("IDC_BUTTON_LOOKUP");
    EXPECT_EQ(prompts.takeTexts(),
              QStringList({"Please choose whether to search by unit number or by name."}));
    QComboBox* by = find<QComboBox>(FrmManinfo::kSearchByCombo);
    ASSERT_EQ(by->count(), 2);
    EXPECT_EQ(by->itemText(0), "Unit No.");
    by->setCurrentIndex(1);
    click("IDC_BUTTON_LOOKUP");
    EXPECT_EQ(prompts.takeTexts(), QStringList({"Please enter the text to search for."}));

    QTest::keyClicks(field(FrmManinfo::kSearchTextEdit), "Ann");
    click("IDC_BUTTON_LOOKUP");
    EXPECT_EQ(column(0), QStringList({"1", "3"}));
    EXPECT_EQ(countShown(), "3"); // the meeting still has three
    field(FrmManinfo::kSearchTextEdit)->setText("An");
    click("IDC_BUTTON_LOOKUP");
    EXPECT_TRUE(column(0).isEmpty());
    by->setCurrentIndex(0);
    field(FrmManinfo::kSearchTextEdit)->setText("2");
    click("IDC_BUTTON_LOOKUP");
    EXPECT_EQ(column(1), QStringList({"Bo"}));
    clickRow(0);
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "2");

    addDelegate("4", "Di");
    EXPECT_EQ(column(0), QStringList({"1", "2", "3", "4"}));

    // Change from a found list: the full list comes back with the changed delegate shown.
    by->setCurrentIndex(0);
    field(FrmManinfo::kSearchTextEdit)->setText("3");
    click("IDC_BUTTON_LOOKUP");
    clickRow(0);
    type(FrmManinfo::kNameEdit, "Ann Three");
    click("IDC_EDITINFO_BUTTON");
    EXPECT_EQ(prompts.takeTexts(), QStringList({"The delegate's details have been changed."}));
    EXPECT_EQ(column(1), QStringList({"Ann", "Bo", "Ann Three", "Di"}));
    EXPECT_EQ(find<QTableWidget>(FrmManinfo::kList)->currentRow(), 2);
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "3");
}

TEST_F(FrmManinfoTest, ShowingTheSamePageForAnotherMeetingShowsThatMeeting)
{
    addDelegate("1", "Autumn delegate");
    clickRow(0);
    ASSERT_EQ(Schema::createMeetingDatabase("Winter"), Schema::CreateResult::Created);
    DelegateTable winter;
    winter.setMeeting("Winter");
    winter.record = DelegateRecord::fromListColumns({"5", "Winter delegate"}, QString());
    ASSERT_TRUE(winter.insert());

    page->openMeeting("Winter", QString());
    EXPECT_EQ(column(1), QStringList({"Winter delegate"}));
    EXPECT_EQ(countShown(), "1");
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), ""); // the other meeting's fields are gone
    EXPECT_FALSE(find<QPushButton>("IDC_EDITINFO_BUTTON")->isEnabled());
    page->openMeeting("Autumn", QString());
    EXPECT_EQ(column(1), QStringList({"Autumn delegate"}));
}

TEST_F(FrmManinfoTest, APhotoTravelsWithNewAndChangeAndComesBackOnSelection)
{
    const QByteArray red = bmpBytes(Qt::red);
    const QString redFile = writeFile("red.bmp", red);
    FileDialog::setNextAnswers({redFile});
    click("IDC_ACCPHOTO_BUTTON");
    EXPECT_TRUE(framed());
    ASSERT_EQ(FileDialog::takeRequests().value(0).filter, "BMP Files (*.bmp);;All Files (*)");
    addDelegate("1", "With photo");
    EXPECT_FALSE(framed()); // emptied after New
    addDelegate("2", "Without photo");

    ASSERT_TRUE(table.load("1"));
    EXPECT_EQ(table.photo(table.record.id), red);
    ASSERT_TRUE(table.load("2"));
    EXPECT_TRUE(table.photo(table.record.id).isEmpty());
    {
        DbAccess db;
        db.Connect(table.path());
        EXPECT_TRUE(db.Query("select Photo from Employees where CellNo = '2'").isNull("Photo"));
    }

    clickRow(0);
    EXPECT_TRUE(framed());
    EXPECT_EQ(page->photoBytes(), red);
    clickRow(1);
    EXPECT_FALSE(framed());

    // Bytes that are no bitmap are kept and stored, but show nothing.
    const QByteArray notBmp = "GIF89a\x01\x00\x01\x00 not a bitmap";
    FileDialog::setNextAnswers({writeFile("fake.bmp", notBmp)});
    click("IDC_ACCPHOTO_BUTTON");
    EXPECT_FALSE(framed());
    EXPECT_TRUE(page->hasPhoto());
    click("IDC_EDITINFO_BUTTON");
    prompts.take();
    ASSERT_TRUE(table.load("2"));
    EXPECT_EQ(table.photo(table.record.id), notBmp);

    // A cut bitmap header shows nothing and does not crash.
    QByteArray cut = red;
    cut[10] = char(0xff);
    cut[13] = char(0x7f);
    FileDialog::setNextAnswers({writeFile("cut.bmp", cut)});
    click("IDC_ACCPHOTO_BUTTON");
    EXPECT_FALSE(framed());

    // A file that cannot be read loads nothing; the shown photo stays.
    clickRow(0);
    FileDialog::setNextAnswers({programFile("missing.bmp")});
    click("IDC_ACCPHOTO_BUTTON");
    EXPECT_TRUE(framed());

    // Remove photo, then Change: the stored photo goes too.
    click("IDC_CANPHOTO_BUTTON");
    EXPECT_FALSE(framed());
    click("IDC_EDITINFO_BUTTON");
    prompts.take();
    ASSERT_TRUE(table.load("1"));
    EXPECT_TRUE(table.photo(table.record.id).isEmpty());
}

TEST_F(FrmManinfoTest, ExportWritesTheListAsShownAndImportBringsItBack)
{
    addDelegate("1", "Ann \"Q\"", "A1");
    addDelegate("2", "Bo", "B2");
    // The export writes what the list shows: here the found row only.
    find<QComboBox>(FrmManinfo::kSearchByCombo)->setCurrentIndex(1);
    field(FrmManinfo::kSearchTextEdit)->setText("Bo");
    click("IDC_BUTTON_LOOKUP");
    FileDialog::setNextAnswers({programFile("found.xlsx")});
    click("IDC_EDUCE_EXCEL");
    EXPECT_TRUE(prompts.pending().isEmpty());
    SpreadsheetReader reader;
    SheetRows rows;
    ASSERT_TRUE(reader.open(programFile("found.xlsx")));
    ASSERT_TRUE(reader.readSheet("Sheet1", rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].value(0), "Unit No.");
    EXPECT_EQ(rows[0].value(9), "Seat No.");
    EXPECT_EQ(rows[1], QStringList({"2", "Bo", "Male", "", "", "", "", "", "", "B2"}));

    // A typed .xls becomes .xlsx, and the operator is told.
    page->openMeeting("Autumn", QString());
    FileDialog::setNextAnswers({programFile("all.xls")});
    click("IDC_EDUCE_EXCEL");
    const QStringList told = prompts.takeTexts();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].endsWith(programFile("all.xlsx"))) << told[0].toStdString();
    EXPECT_FALSE(QFile::exists(programFile("all.xls")));
    EXPECT_EQ(FileDialog::takeRequests().last().filter, "excel 2007 file(*.xlsx)");
    // Saving there again asks before replacing the file the dialog did not name.
    prompts.answerNext(false);
    FileDialog::setNextAnswers({programFile("all.xls")});
    click("IDC_EDUCE_EXCEL");
    EXPECT_EQ(prompts.take().size(), 1);

    prompts.answerNext(true);
    click("IDC_CLEAR_MANINFO");
    prompts.take();
    FileDialog::setNextAnswers({programFile("all.xlsx")});
    click("IDC_LEAD_BUTTON");
    EXPECT_TRUE(prompts.pending().isEmpty());
    EXPECT_EQ(column(1), QStringList({"Ann \"Q\"", "Bo"}));
    EXPECT_EQ(column(9), QStringList({"A1", "B2"}));
    EXPECT_EQ(countShown(), "2");

    // Cancelled dialogs do nothing.
    FileDialog::setNextAnswers({QString(), QString()});
    click("IDC_EDUCE_EXCEL");
    click("IDC_LEAD_BUTTON");
    EXPECT_TRUE(prompts.pending().isEmpty());
}

TEST_F(FrmManinfoTest, UnfitWorkbooksAreReportedAndChangeNothing)
{
    addDelegate("1", "Ann");
    // Headings of another language.
    useLanguage("0");
    FrmManinfo chinese;
    chinese.openMeeting("Autumn", QString());
    FileDialog::setNextAnswers({programFile("zh.xlsx")});
    QTest::mouseClick(chinese.findChild<QPushButton*>("IDC_EDUCE_EXCEL"), Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(programFile("zh.xlsx")));
    useLanguage("1");

    FileDialog::setNextAnswers({programFile("zh.xlsx")});
    click("IDC_LEAD_BUTTON");
    auto shown = prompts.take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].caption, "Error");
    EXPECT_EQ(shown[0].text, "Please Check the format of the Excel file!");

    FileDialog::setNextAnswers({writeFile("broken.xlsx", "PK\x03\x04 broken")});
    click("IDC_LEAD_BUTTON");
    QStringList texts = prompts.takeTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("The file could not be read as a spreadsheet")) << texts[0].toStdString();

    FileDialog::setNextAnswers({QStringLiteral(PREP_FIXTURE_DIR "/../../data/fixtures/damaged.xls")});
    click("IDC_LEAD_BUTTON");
    texts = prompts.takeTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("The file could not be read as a spreadsheet")) << texts[0].toStdString();

    FileDialog::setNextAnswers({QStringLiteral(PREP_FIXTURE_DIR "/../../data/fixtures/handmade.xlsx")});
    click("IDC_LEAD_BUTTON");
    texts = prompts.takeTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("Please Check the format")) << texts[0].toStdString();

    FileDialog::setNextAnswers({programFile("nowhere/x.xlsx")});
    click("IDC_EDUCE_EXCEL");
    texts = prompts.takeTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("The spreadsheet could not be written")) << texts[0].toStdString();

    EXPECT_EQ(column(1), QStringList({"Ann"}));
    ASSERT_TRUE(table.loadList());
    EXPECT_EQ(table.list.size(), 1);
}

TEST_F(FrmManinfoTest, AWorkbookFromAnotherProgramImportsThroughThePage)
{
    FileDialog::setNextAnswers({QStringLiteral(PREP_FIXTURE_DIR "/delegates.xls")});
    click("IDC_LEAD_BUTTON");
    EXPECT_EQ(column(1), QStringList({"李雷", "Zé"}));
    EXPECT_EQ(countShown(), "2");
    clickRow(1);
    EXPECT_EQ(field(FrmManinfo::kUnitEdit)->text(), "250");
    EXPECT_EQ(field(FrmManinfo::kSeatEdit)->text(), "7.5");
}

TEST_F(FrmManinfoTest, TenThousandImportedRowsAreListedAndPagedThrough)
{
    QList<QStringList> rows;
    for (int i = 0; i < 10000; ++i)
        rows.append({QString::number(i % 250 + 1), QStringLiteral("N%1").arg(i)});
    ASSERT_EQ(DelegateSheet::exportList(programFile("many.xlsx"), DelegateSheet::headings(), rows),
              DelegateSheet::Outcome::Done);
    FileDialog::setNextAnswers({programFile("many.xlsx")});
    click("IDC_LEAD_BUTTON");
    EXPECT_EQ(countShown(), "10000");
    click(FrmManinfo::kLastButton);
    EXPECT_EQ(field(FrmManinfo::kNameEdit)->text(), "N9999");
    click(FrmManinfo::kNextButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList({"This is the last delegate."}));
}

} // namespace
