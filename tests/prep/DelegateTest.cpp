#include "data/DbAccess.h"
#include "data/Schema.h"
#include "data/SpreadsheetWriter.h"
#include "prep/DelegatePhoto.h"
#include "prep/DelegateSheet.h"
#include "prep/DelegateTable.h"
#include "support/ConsoleTest.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(PREP_FIXTURE_DIR "/") + name;
}

DelegateRecord delegate(const QString& unit, const QString& name, const QString& sex = QStringLiteral("Male"))
{
    DelegateRecord r;
    r.CellNo = unit;
    r.EmpName = name;
    r.EmpSex = sex;
    r.Nationality = "Han";
    r.Unit = "Works " + unit;
    r.Title = "Chair";
    r.Office_phone = "555-" + unit;
    r.delegacy = "North";
    r.presidium = "Yes";
    r.SeatNo = "S" + unit;
    return r;
}

QByteArray bmpBytes(int width = 4, int height = 3)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void putLe32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

class DelegateTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_EQ(Schema::createMeetingDatabase("Spring"), Schema::CreateResult::Created);
        table.setMeeting("Spring");
    }

    void add(const DelegateRecord& r)
    {
        table.record = r;
        ASSERT_TRUE(table.insert());
    }

    QList<QStringList> listed()
    {
        EXPECT_TRUE(table.loadList());
        QList<QStringList> out;
        for (const DelegateRecord& r : table.list)
            out.append(r.listColumns());
        return out;
    }

    DelegateTable table;
};

TEST_F(DelegateTest, RowsAreKeptApartByIdEvenWithARepeatedUnitNumber)
{
    add(delegate("1", "Ann O'Neil \"Jr\""));
    const qint64 first = table.record.id;
    add(delegate("7", "Bo"));
    add(delegate("7", "Bo Twin"));
    const qint64 twin = table.record.id;
    EXPECT_EQ(listed().first(), delegate("1", "Ann O'Neil \"Jr\"").listColumns());
    EXPECT_FALSE(table.exists("70"));

    // Changing the twin leaves the other row with unit 7 alone, and keeps
    // what the page does not edit (photo, sign-in state).
    ASSERT_TRUE(table.setPhoto(twin, "BMxyz"));
    {
        DbAccess db;
        db.Connect(table.path());
        ASSERT_TRUE(db.Execute("update Employees set sign = 'present' where id = ?", {twin}));
    }
    ASSERT_TRUE(table.loadById(twin));
    table.record.CellNo = "8";
    table.record.EmpName = "Bo Second";
    ASSERT_TRUE(table.update());
    ASSERT_TRUE(table.load("7"));
    EXPECT_EQ(table.record.EmpName, "Bo");
    ASSERT_TRUE(table.load("8"));
    EXPECT_EQ(table.record.EmpName, "Bo Second");
    EXPECT_EQ(table.photo(twin), "BMxyz");
    EXPECT_EQ(DbAccess::selectOnce(table.path(), "select sign from Employees where id = ?", {twin})
                  .value()
                  .first()
                  .text("sign"),
              "present");

    // Find is exact, by number or by name.
    ASSERT_TRUE(table.find("Bo", DelegateTable::FindBy::Name));
    ASSERT_EQ(table.list.size(), 1);
    EXPECT_EQ(table.list[0].CellNo, "7");
    ASSERT_TRUE(table.find("B", DelegateTable::FindBy::Name));
    EXPECT_TRUE(table.list.isEmpty());
    ASSERT_TRUE(table.find("1", DelegateTable::FindBy::UnitNumber));
    ASSERT_EQ(table.list.size(), 1);
    EXPECT_EQ(table.list[0].id, first);

    // An empty photo is stored as none.
    ASSERT_TRUE(table.setPhoto(twin, QByteArray()));
    EXPECT_TRUE(
        DbAccess::selectOnce(table.path(), "select Photo from Employees").value().last().isNull("Photo"));
    ASSERT_TRUE(table.remove("7"));
    EXPECT_EQ(listed().size(), 2);
}

TEST_F(DelegateTest, AFailedReadIsNotAnEmptyList)
{
    add(delegate("1", "Ann"));
    {
        DbAccess holder; // the file is held elsewhere
        holder.Connect(table.path());
        EXPECT_FALSE(table.all().has_value());
        EXPECT_FALSE(table.loadList());
        EXPECT_TRUE(table.list.isEmpty());
        EXPECT_FALSE(table.byId(1).has_value());
        EXPECT_EQ(prompts.take().size(), 3);
    }
    EXPECT_EQ(table.all().value().size(), 1);
    EXPECT_EQ(table.matching("2", DelegateTable::FindBy::UnitNumber).value().size(), 0);
}

TEST_F(DelegateTest, ExportThenImportGivesTheSameList)
{
    add(delegate("1", "Ann"));
    add(delegate("2", "王小明", "Female"));
    DelegateRecord odd = delegate("3", "Quote \"and\" 'apostrophe'");
    odd.Unit = "two\nlines";
    odd.SeatNo = QString();
    add(odd);
    const QList<QStringList> before = listed();
    const QString path = programFile("out.xlsx");
    const QStringList headings = DelegateSheet::headings();
    ASSERT_EQ(DelegateSheet::exportList(path, headings, before), DelegateSheet::Outcome::Done);
    ASSERT_TRUE(table.removeAll());
    int count = -1;
    ASSERT_EQ(DelegateSheet::importFile(path, headings, table, QString(), &count),
              DelegateSheet::Outcome::Done);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(listed(), before);

    // Importing again does not check unit numbers: each delegate is there twice.
    ASSERT_EQ(DelegateSheet::importFile(path, headings, table, QString()), DelegateSheet::Outcome::Done);
    EXPECT_EQ(listed(), before + before);
}

TEST_F(DelegateTest, WorkbooksFromOtherProgramsImportAsRead)
{
    const QStringList headings = DelegateSheet::headings();
    ASSERT_EQ(DelegateSheet::importFile(fixture("delegates.xlsx"), headings, table, QString()),
              DelegateSheet::Outcome::Done);
    ASSERT_EQ(DelegateSheet::importFile(fixture("delegates.xls"), headings, table, QString()),
              DelegateSheet::Outcome::Done);
    const QList<QStringList> expected{
        // numbers as their text, the eleventh column left out
        {"3", "Ana \"Quote\" Lee", "Female", "", "", "", "13800138000", "", "", "A-12"},
        // the empty row is skipped; a unit number that is no number is kept as read
        {"abc", "Line\nBreak", "", "", "", "", "", "", "", ""},
        {"12", "李雷", "Male", "", "", "", "", "", "", ""},
        {"250", "Zé", "", "", "", "", "", "", "", "7.5"},
    };
    EXPECT_EQ(listed(), expected);
}

TEST_F(DelegateTest, AnImportReplacesOnlyTheGroupsRowsAndIsAllOrNothing)
{
    add(delegate("", "No unit yet"));
    add(delegate("5", "Keeps"));
    const QStringList headings = DelegateSheet::headings();
    const QString path = programFile("in.xlsx");
    ASSERT_EQ(DelegateSheet::exportList(path, headings, {delegate("6", "New").listColumns()}),
              DelegateSheet::Outcome::Done);

    // The designed delete goes by the group text: with the empty group only
    // rows without a unit number make way.
    ASSERT_EQ(DelegateSheet::importFile(path, headings, table, QString()), DelegateSheet::Outcome::Done);
    QStringList names;
    for (const QStringList& row : listed())
        names << row[1];
    EXPECT_EQ(names, QStringList({"Keeps", "New"}));

    // A row the database refuses halfway leaves everything as it was.
    add(delegate("", "Unnumbered again"));
    {
        DbAccess db;
        db.Connect(table.path());
        ASSERT_TRUE(db.Execute("create trigger refuse before insert on Employees when new.EmpName = 'Boom'"
                               " begin select raise(abort, 'refused'); end"));
    }
    const QList<QStringList> before = listed();
    ASSERT_EQ(DelegateSheet::exportList(
                  path, headings, {delegate("7", "Fine").listColumns(), delegate("8", "Boom").listColumns()}),
              DelegateSheet::Outcome::Done);
    EXPECT_EQ(DelegateSheet::importFile(path, headings, table, QString()),
              DelegateSheet::Outcome::StoreFailed);
    EXPECT_EQ(prompts.takeTexts().size(), 1); // the database layer's own report
    EXPECT_EQ(listed(), before);
}

TEST_F(DelegateTest, UnfitWorkbooksAreRefusedWithoutTouchingTheTable)
{
    add(delegate("", "Unnumbered"));
    const QList<QStringList> before = listed();
    const QString path = programFile("x.xlsx");
    using O = DelegateSheet::Outcome;

    // Exported in Chinese, imported in English.
    useLanguage("0");
    ASSERT_EQ(
        DelegateSheet::exportList(path, DelegateSheet::headings(), {delegate("9", "Nine").listColumns()}),
        O::Done);
    useLanguage("1");
    const QStringList english = DelegateSheet::headings();
    EXPECT_EQ(DelegateSheet::importFile(path, english, table, QString()), O::WrongHeadings);
    SpreadsheetWriter writer;
    writer.addSheet("Delegates", {english});
    ASSERT_TRUE(writer.save(path));
    EXPECT_EQ(DelegateSheet::importFile(path, english, table, QString()), O::NoSheet);
    // Not a workbook at all: the detail names the file.
    QFile text(programFile("list.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Unit No.,Name\n1,Ann\n");
    text.close();
    QString detail;
    EXPECT_EQ(
        DelegateSheet::importFile(programFile("list.xlsx"), english, table, QString(), nullptr, &detail),
        O::CannotRead);
    EXPECT_TRUE(detail.contains("list.xlsx"));
    EXPECT_EQ(listed(), before);
    EXPECT_EQ(DelegateSheet::exportList(programFile("no/such/folder/x.xlsx"), english, {}), O::CannotWrite);
}

TEST(DelegateSheetTest, ExportsAlwaysGetAnXlsxName)
{
    const struct
    {
        const char* typed;
        const char* written;
        bool renamed;
    } cases[] = {{"/t/list.XLSX", "/t/list.XLSX", false},
                 {"/t/list", "/t/list.xlsx", false},
                 {"/t/list.csv", "/t/list.csv.xlsx", false},
                 {"/t/v1.2/list.Xls", "/t/v1.2/list.Xlsx", true}};
    for (const auto& c : cases) {
        bool renamed = !c.renamed;
        EXPECT_EQ(DelegateSheet::workbookPath(c.typed, &renamed), c.written);
        EXPECT_EQ(renamed, c.renamed) << c.typed;
    }
}

TEST(DelegatePhotoTest, OnlyABitmapWhoseHeaderFitsTheBytesBecomesAPicture)
{
    const QByteArray good = bmpBytes(4, 3);
    ASSERT_TRUE(good.startsWith("BM"));
    const QImage image = DelegatePhoto::toImage(good);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));

    EXPECT_TRUE(DelegatePhoto::toImage("GIF89a not a bitmap at all.....").isNull());
    EXPECT_TRUE(DelegatePhoto::toImage(QByteArray()).isNull());
    EXPECT_TRUE(DelegatePhoto::toImage(good.left(14)).isNull());              // file header only
    EXPECT_TRUE(DelegatePhoto::toImage(good.left(good.size() - 1)).isNull()); // one pixel byte short

    // Header fields that promise more than the bytes hold: offset, stated size, width, image size.
    const std::pair<int, quint32> lies[] = {{10, quint32(good.size()) + 100},
                                            {10, 0xffffffffu},
                                            {2, quint32(good.size()) + 1},
                                            {18, 100000},
                                            {34, 0x7fffffffu}};
    for (const auto& [at, value] : lies) {
        QByteArray bytes = good;
        putLe32(bytes, at, value);
        EXPECT_TRUE(DelegatePhoto::toImage(bytes).isNull()) << at << " " << value;
    }
    QByteArray zeroSize = good;
    putLe32(zeroSize, 2, 0); // a stated size of 0 is common and harmless
    EXPECT_FALSE(DelegatePhoto::toImage(zeroSize).isNull());
}

TEST_F(DelegateTest, PhotoFilesAreReadWholeOrNotAtAll)
{
    QByteArray bytes = "kept";
    EXPECT_FALSE(DelegatePhoto::readFile(programFile("missing.bmp"), bytes));
    EXPECT_EQ(bytes, "kept");
    QFile file(programFile("p.bmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bmpBytes());
    file.close();
    ASSERT_TRUE(DelegatePhoto::readFile(programFile("p.bmp"), bytes));
    EXPECT_EQ(bytes, bmpBytes());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.resize(DelegatePhoto::kMaxFileBytes + 1);
    file.close();
    EXPECT_FALSE(DelegatePhoto::readFile(programFile("p.bmp"), bytes));
    EXPECT_EQ(bytes, bmpBytes());
}

} // namespace
