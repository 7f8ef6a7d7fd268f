#include "data/DbAccess.h"
#include "data/Schema.h"
#include "prep/DelegateListModel.h"
#include "prep/DelegatePhoto.h"
#include "prep/DelegateSheet.h"
#include "prep/DelegateTable.h"
#include "support/ConsoleTest.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QFile>
#include <QImage>

namespace {

Delegate delegate(const QString& unit, const QString& name, const QString& sex = QStringLiteral("Male"))
{
    Delegate d;
    d.unit = unit;
    d.name = name;
    d.sex = sex;
    d.workUnit = "Works " + unit;
    d.seat = "S" + unit;
    return d;
}

class DelegateTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_EQ(Schema::createMeetingDatabase("Spring"), Schema::CreateResult::Created);
        table.setMeeting("Spring");
        headings = DelegateSheet::headings();
    }

    qint64 add(Delegate d)
    {
        EXPECT_TRUE(table.insert(d));
        return d.id;
    }

    QList<QStringList> listed()
    {
        QList<QStringList> out;
        for (const Delegate& d : table.all().value_or(QList<Delegate>()))
            out.append(d.listed());
        return out;
    }

    DelegateTable table;
    QStringList headings;
};

TEST_F(DelegateTest, RowsAreKeptApartByIdEvenWithARepeatedUnitNumber)
{
    add(delegate("7", "Bo"));
    const qint64 twin = add(delegate("7", "Bo Twin"));
    // Changing the twin leaves the other row with unit 7 alone, and keeps its photo.
    ASSERT_TRUE(table.setPhoto(twin, "BMxyz"));
    Delegate changed = table.byId(twin).value();
    changed.unit = "8";
    ASSERT_TRUE(table.update(changed));
    EXPECT_EQ(table.byId(twin).value(), changed);
    const QList<Delegate> sevens = table.matching("7", DelegateTable::FindBy::UnitNumber).value();
    ASSERT_EQ(sevens.size(), 1);
    EXPECT_EQ(sevens[0].name, "Bo");
    EXPECT_EQ(table.photo(twin), "BMxyz");
    EXPECT_TRUE(table.matching("B", DelegateTable::FindBy::Name).value().isEmpty()); // find is exact
}

TEST_F(DelegateTest, TheListModelFollowsTheTableAndShowsAFoundFewUntilTheNextChange)
{
    DelegateListModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto column = [&](int c) {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r)
            out << model.index(r, c).data().toString();
        return out;
    };
    const qint64 ana = add(delegate("1", "Ana", "Female"));
    add(delegate("2", "Bo"));
    EXPECT_EQ(column(1), (QStringList{"Ana", "Bo"}));
    EXPECT_EQ(model.columnCount(), 10);
    EXPECT_EQ(model.index(0, 9).data().toString(), "S1");
    model.showMatching("Bo", DelegateTable::FindBy::Name);
    EXPECT_EQ(column(0), QStringList{"2"});
    ASSERT_TRUE(table.removeById(ana));
    EXPECT_EQ(column(0), QStringList{"2"}); // the whole list again, without Ana
    ASSERT_TRUE(QFile::remove(programFile(table.path())));
    EXPECT_FALSE(model.reload());
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(prompts.take().size(), 1);
}

TEST_F(DelegateTest, ExportThenImportGivesTheSameList)
{
    add(delegate("2", "王小明", "Female"));
    Delegate odd = delegate("3", "Quote \"and\" 'apostrophe'");
    odd.workUnit = "two\nlines";
    odd.seat = QString();
    add(odd);
    const QList<QStringList> before = listed();
    const QString path = programFile("out.xlsx");
    ASSERT_EQ(DelegateSheet::exportList(path, headings, before), DelegateSheet::Outcome::Done);
    ASSERT_TRUE(table.removeAll());
    int count = -1;
    ASSERT_EQ(DelegateSheet::importFile(path, headings, table, QString(), &count),
              DelegateSheet::Outcome::Done);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(listed(), before);
}

TEST_F(DelegateTest, WorkbooksFromOtherProgramsImportAsRead)
{
    ASSERT_EQ(DelegateSheet::importFile(PREP_FIXTURE_DIR "/delegates.xlsx", headings, table, QString()),
              DelegateSheet::Outcome::Done);
    ASSERT_EQ(DelegateSheet::importFile(PREP_FIXTURE_DIR "/delegates.xls", headings, table, QString()),
              DelegateSheet::Outcome::Done);
    const QList<QStringList> expected{
        {"3", "Ana \"Quote\" Lee", "Female", "", "", "", "13800138000", "", "", "A-12"},
        {"abc", "Line\nBreak", "", "", "", "", "", "", "", ""}, // the empty row is skipped
        {"12", "李雷", "Male", "", "", "", "", "", "", ""},
        {"250", "Zé", "", "", "", "", "", "", "", "7.5"},
    };
    EXPECT_EQ(listed(), expected);
}

TEST_F(DelegateTest, AnImportChecksHeadingsAndReplacesTheGroupsRowsAllOrNothing)
{
    add(delegate("", "No unit yet"));
    add(delegate("5", "Keeps"));
    const QString path = programFile("in.xlsx");
    useLanguage("0"); // exported in Chinese, imported in English
    ASSERT_EQ(DelegateSheet::exportList(path, DelegateSheet::headings(), {delegate("6", "New").listed()}),
              DelegateSheet::Outcome::Done);
    useLanguage("1");
    EXPECT_EQ(DelegateSheet::importFile(path, DelegateSheet::headings(), table, QString()),
              DelegateSheet::Outcome::WrongHeadings);
    EXPECT_EQ(listed().size(), 2);
    // Only the fifth heading differs: its fields would land in the wrong columns.
    QStringList fifthChanged = headings;
    fifthChanged[4] = QStringLiteral("Room");
    ASSERT_EQ(DelegateSheet::exportList(path, fifthChanged, {delegate("6", "New").listed()}),
              DelegateSheet::Outcome::Done);
    EXPECT_EQ(DelegateSheet::importFile(path, headings, table, QString()),
              DelegateSheet::Outcome::WrongHeadings);
    EXPECT_EQ(listed().size(), 2);

    // With the empty group only rows without a unit number make way.
    ASSERT_EQ(DelegateSheet::exportList(path, headings, {delegate("6", "New").listed()}),
              DelegateSheet::Outcome::Done);
    ASSERT_EQ(DelegateSheet::importFile(path, headings, table, QString()), DelegateSheet::Outcome::Done);
    QStringList names;
    for (const QStringList& row : listed())
        names << row[1];
    EXPECT_EQ(names, QStringList({"Keeps", "New"}));

    // A row the database refuses halfway leaves everything as it was.
    add(delegate("", "Unnumbered again"));
    ASSERT_TRUE(DbAccess::executeOnce(table.path(),
                                      "create trigger refuse before insert on Employees when "
                                      "new.EmpName = 'Boom' begin select raise(abort, 'no'); end"));
    const QList<QStringList> before = listed();
    ASSERT_EQ(DelegateSheet::exportList(path, headings,
                                        {delegate("7", "Fine").listed(), delegate("8", "Boom").listed()}),
              DelegateSheet::Outcome::Done);
    EXPECT_EQ(DelegateSheet::importFile(path, headings, table, QString()),
              DelegateSheet::Outcome::StoreFailed);
    EXPECT_EQ(prompts.take().size(), 1); // the database layer's own report
    EXPECT_EQ(listed(), before);
}

TEST(DelegatePhotoTest, OnlyABitmapWhoseHeaderFitsTheBytesBecomesAPicture)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray good;
    QBuffer buffer(&good);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    EXPECT_EQ(DelegatePhoto::toImage(good).pixelColor(1, 1), QColor(Qt::red));
    EXPECT_TRUE(DelegatePhoto::toImage(good.left(good.size() - 1)).isNull()); // one pixel byte short
    // Header fields that promise more than the bytes hold: offset, width, image size.
    for (const auto& [at, value] : {std::pair{10, 0xffffffffu}, {18, 100000u}, {34, 0x7fffffffu}}) {
        QByteArray bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char(value >> (8 * i));
        EXPECT_TRUE(DelegatePhoto::toImage(bytes).isNull()) << at;
    }
}

} // namespace
