#include "data/SpreadsheetReader.h"
#include "data/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unzip.h>
#include <zip.h>

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(DATA_FIXTURE_DIR "/") + name;
}

// One part of a zip package as text, to look inside what the writer made.
QByteArray zipPart(const QString& path, const char* part)
{
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip)
        return {};
    QByteArray out;
    if (unzLocateFile(zip, part, 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[4096];
        int got = 0;
        while ((got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            out.append(buffer, got);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return out;
}

// A zip package with the given parts, written with minizip's zip API.
void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, data] : parts) {
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name.constData(), nullptr, nullptr, 0, nullptr, 0, nullptr,
                                        Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())), ZIP_OK);
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

const QByteArray kRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
const QByteArray kWorkbook =
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const QByteArray kWorkbookRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";

void writeOneSheetWorkbook(const QString& path, const QByteArray& sheetData, const QByteArray& shared = {})
{
    QList<std::pair<QByteArray, QByteArray>> parts{
        {"_rels/.rels", kRels},
        {"xl/workbook.xml", kWorkbook},
        {"xl/_rels/workbook.xml.rels", kWorkbookRels},
        {"xl/worksheets/sheet1.xml",
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
             sheetData + "</sheetData></worksheet>"}};
    parts.append({"xl/sharedStrings.xml", "<sst>" + shared + "</sst>"});
    writeZip(path, parts);
}

class SpreadsheetTest : public ::testing::Test
{
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }

    SheetRows readBack(const QString& path, const QString& sheet = QStringLiteral("Sheet1"))
    {
        SpreadsheetReader reader;
        SheetRows rows;
        EXPECT_TRUE(reader.open(path)) << reader.errorDetail().toStdString();
        EXPECT_TRUE(reader.readSheet(sheet, rows)) << reader.errorDetail().toStdString();
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(SpreadsheetTest, AWrittenWorkbookReadsBackCellForCellAsLeftAlignedText)
{
    const SheetRows first{
        {QStringLiteral("编号"), QStringLiteral("Name"), QStringLiteral("Note")},
        {QStringLiteral("1"), QStringLiteral("O'Brien \"Junior\""),
         QStringLiteral("two\nlines\r\nand a tab\t")},
        {QStringLiteral("007"), QString(), QStringLiteral("  leading and trailing  ")},
        {QStringLiteral("1e5"), QStringLiteral("<b>&amp;</b>"), QString(QChar(0x01)) + QStringLiteral("ctl")},
        {QString(32767, QChar(u'x'))},
    };
    const SheetRows second{{QString(), QStringLiteral("B1 only")}};
    SpreadsheetWriter writer;
    writer.addSheet(QStringLiteral("Sheet1"), first, {10, 20});
    writer.addSheet(QStringLiteral("Other"), second);
    ASSERT_TRUE(writer.save(file("out.xlsx"))) << writer.errorDetail().toStdString();

    SpreadsheetReader reader;
    ASSERT_TRUE(reader.open(file("out.xlsx")));
    EXPECT_EQ(reader.sheetNames(), QStringList({"Sheet1", "Other"}));
    // Text stays text: "007" and "1e5" are not turned into numbers.
    EXPECT_EQ(readBack(file("out.xlsx")), first);
    EXPECT_EQ(readBack(file("out.xlsx"), "Other"), second);
    // No temporary file is left beside the workbook.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"out.xlsx"}));
    // Other programs show the cells as left-aligned text too.
    const QByteArray sheet = zipPart(file("out.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<c r=\"A2\" s=\"1\" t=\"s\">")) << sheet.constData();
    const QByteArray styles = zipPart(file("out.xlsx"), "xl/styles.xml");
    EXPECT_TRUE(styles.contains("horizontal=\"left\"") && styles.contains("formatCode=\"@\""));
}

TEST_F(SpreadsheetTest, AFailedSaveNamesTheProblemAndKeepsTheOldFile)
{
    using E = SpreadsheetWriter::Error;
    auto errorOf = [&](const QList<std::pair<QString, SheetRows>>& sheets, const QString& name) {
        SpreadsheetWriter writer;
        for (const auto& [sheet, rows] : sheets)
            writer.addSheet(sheet, rows);
        EXPECT_FALSE(writer.save(file(name))) << name.toStdString();
        return writer.error();
    };
    EXPECT_EQ(errorOf({}, "bad.xlsx"), E::NoSheet);
    for (const QString& name : {QString(), QStringLiteral("a/b"), QString(32, u'n')})
        EXPECT_EQ(errorOf({{name, {{"a"}}}}, "bad.xlsx"), E::BadSheetName) << name.toStdString();
    EXPECT_EQ(errorOf({{"Sheet1", {{"a"}}}, {"SHEET1", {{"b"}}}}, "bad.xlsx"), E::BadSheetName);
    EXPECT_FALSE(QFile::exists(file("bad.xlsx")));
    EXPECT_EQ(errorOf({{"Sheet1", {{"a"}}}}, "missing-folder/out.xlsx"), E::CannotWrite);

    SpreadsheetWriter old;
    old.addSheet("Sheet1", {{"old"}});
    ASSERT_TRUE(old.save(file("keep.xlsx")));
    SpreadsheetWriter tooLong;
    tooLong.addSheet("Sheet1", {{"new", QString(32768, u'y')}});
    EXPECT_FALSE(tooLong.save(file("keep.xlsx")));
    EXPECT_EQ(tooLong.error(), E::CellTooLarge);
    EXPECT_TRUE(tooLong.errorDetail().contains("B1")) << tooLong.errorDetail().toStdString();
    EXPECT_EQ(readBack(file("keep.xlsx")), SheetRows({{"old"}}));
}

TEST_F(SpreadsheetTest, ReadsWorkbooksMadeByOtherPrograms)
{
    SpreadsheetReader reader;
    ASSERT_TRUE(reader.open(fixture("handmade.xlsx"))) << reader.errorDetail().toStdString();
    EXPECT_EQ(reader.sheetNames(), QStringList({"Notes", "Sheet1"}));
    const SheetRows expected{
        // rich runs joined, the phonetic guide left out, an inline string
        {"Unit No.", "Name ", "Sex"},
        // a number as its text, an escaped shared string, an empty styled cell,
        // a long whole number and a binary fraction as a spreadsheet shows them
        {"7", "王 & \"Li\" <O'Brien>", "", "", "13800138000", "0.1"},
        // a row left out of the file stays an empty row
        {},
        // a boolean, an escaped carriage return, a formula's cached text
        {"TRUE", "line one\r\nline two", "Unit No."},
        // a row and cells without references follow the previous ones
        {"noref", "2.5"},
        // the last row holds only empty cells and is dropped
    };
    EXPECT_EQ(readBack(fixture("handmade.xlsx")), expected);
    EXPECT_EQ(readBack(fixture("handmade.xlsx"), "Notes"), SheetRows({{"", "only B1"}}));

    ASSERT_TRUE(reader.open(fixture("legacy.xls"))) << reader.errorDetail().toStdString();
    EXPECT_EQ(reader.sheetNames(), QStringList({"Other", "Sheet1"}));
    EXPECT_EQ(readBack(fixture("legacy.xls")),
              SheetRows({{"Unit No.", "Name"}, {"12", "张三", "", "1.5"}, {"abc", "say \"hi\"\nbye"}}));
    SheetRows rows;
    EXPECT_FALSE(reader.readSheet("sheet1", rows)); // names are exact
    EXPECT_EQ(reader.error(), SpreadsheetReader::Error::SheetMissing);
}

TEST_F(SpreadsheetTest, BrokenOrForeignFilesGiveAnErrorNotACrash)
{
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return file(name);
    };
    QString detail;
    auto errorOf = [&](const QString& path, const QString& sheet = QStringLiteral("Sheet1")) {
        SpreadsheetReader reader;
        SheetRows rows;
        if (reader.open(path) && reader.readSheet(sheet, rows))
            return SpreadsheetReader::Error::None;
        EXPECT_TRUE(rows.isEmpty());
        detail = reader.errorDetail();
        return reader.error();
    };
    using E = SpreadsheetReader::Error;

    EXPECT_EQ(errorOf(file("absent.xlsx")), E::CannotOpen);
    EXPECT_EQ(errorOf(write("text.xlsx", "Unit,Name\n1,A\n")), E::NotASpreadsheet);

    // A valid workbook cut short, and one with a damaged byte in a packed part.
    QFile good(fixture("handmade.xlsx"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    EXPECT_EQ(errorOf(write("cut.xlsx", bytes.left(bytes.size() / 2))), E::NotASpreadsheet);
    QByteArray flipped = bytes;
    flipped[bytes.indexOf("xl/worksheets/sheet1.xml") + 40] ^= 0x5a;
    EXPECT_NE(errorOf(write("flipped.xlsx", flipped)), E::None);

    // A zip that is no workbook, a workbook without Sheet1.
    writeZip(file("plain.zip"), {{"readme.txt", "hello"}});
    EXPECT_EQ(errorOf(file("plain.zip")), E::NotASpreadsheet);
    EXPECT_EQ(errorOf(fixture("handmade.xlsx"), "Sheet2"), E::SheetMissing);

    // Bad cell content; the detail names what was wrong.
    writeOneSheetWorkbook(file("fine.xlsx"), R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)",
                          "<si><t>only</t></si>");
    EXPECT_EQ(errorOf(file("fine.xlsx")), E::None);
    writeOneSheetWorkbook(file("sst.xlsx"), R"(<row r="1"><c r="A1" t="s"><v>5</v></c></row>)",
                          "<si><t>only</t></si>");
    EXPECT_EQ(errorOf(file("sst.xlsx")), E::NotASpreadsheet);
    EXPECT_TRUE(detail.endsWith("shared string 5")) << detail.toStdString();
    writeOneSheetWorkbook(file("ref.xlsx"), R"(<row r="1"><c r="1A"><v>1</v></c></row>)");
    EXPECT_EQ(errorOf(file("ref.xlsx")), E::NotASpreadsheet);
    EXPECT_TRUE(detail.endsWith("1A")) << detail.toStdString();
    writeOneSheetWorkbook(file("xml.xlsx"), R"(<row r="1"><c r="A1"><v>1</v></row>)");
    EXPECT_EQ(errorOf(file("xml.xlsx")), E::NotASpreadsheet);
    EXPECT_TRUE(detail.contains("sheet1.xml")) << detail.toStdString();

    // A damaged legacy workbook that crashes the .xls library when opened in-process.
    EXPECT_EQ(errorOf(fixture("damaged.xls")), E::NotASpreadsheet);
    // A legacy header in front of garbage.
    EXPECT_EQ(errorOf(write("fake.xls", QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, 'x'))),
              E::NotASpreadsheet);
}

TEST_F(SpreadsheetTest, SizeLimitsStopHugeSheetsButNotLargeOnes)
{
    // Cells in the last column of many rows would need millions of empty slots.
    QByteArray far;
    for (int r = 1; r <= 300; ++r)
        far += QStringLiteral(R"(<row r="%1"><c r="XFD%1"><v>1</v></c></row>)").arg(r).toLatin1();
    writeOneSheetWorkbook(file("corner.xlsx"), far);
    SpreadsheetReader reader;
    SheetRows rows;
    ASSERT_TRUE(reader.open(file("corner.xlsx")));
    EXPECT_FALSE(reader.readSheet("Sheet1", rows));
    EXPECT_EQ(reader.error(), SpreadsheetReader::Error::TooLarge) << reader.errorDetail().toStdString();

    // A part that unpacks beyond the limit (blank padding compresses well).
    writeOneSheetWorkbook(file("padded.xlsx"), QByteArray(3 * 1024 * 1024, ' '));
    SpreadsheetReader strict;
    strict.setLimits(1024 * 1024, SpreadsheetReader::kDefaultMaxCells);
    ASSERT_TRUE(strict.open(file("padded.xlsx")));
    EXPECT_FALSE(strict.readSheet("Sheet1", rows));
    EXPECT_EQ(strict.error(), SpreadsheetReader::Error::TooLarge);

    // 10 000 rows of ten cells, over 5 MB of text, are read whole.
    SheetRows big;
    for (int r = 0; r < 10000; ++r) {
        QStringList row;
        for (int c = 0; c < 10; ++c)
            row << QStringLiteral("r%1c%2 ").arg(r).arg(c) + QString(50, QChar(u'a' + c));
        big.append(row);
    }
    SpreadsheetWriter writer;
    writer.addSheet("Sheet1", big);
    ASSERT_TRUE(writer.save(file("big.xlsx")));
    EXPECT_GT(zipPart(file("big.xlsx"), "xl/sharedStrings.xml").size(), 5 * 1024 * 1024);
    EXPECT_EQ(readBack(file("big.xlsx")), big);
}

} // namespace
