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

class SpreadsheetTest : public ::testing::Test
{
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }

    SheetRows readBack(const QString& path, const QString& sheet = QStringLiteral("Sheet1"))
    {
        SpreadsheetReader reader;
        SheetRows rows;
        EXPECT_TRUE(reader.open(path) && reader.readSheet(sheet, rows)) << reader.errorDetail().toStdString();
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(SpreadsheetTest, AWrittenWorkbookReadsBackCellForCellAsLeftAlignedText)
{
    const SheetRows first{
        {QStringLiteral("编号"), QStringLiteral("O'Brien \"Junior\""),
         QStringLiteral("two\nlines\r\nand a tab\t")},
        {QStringLiteral("007"), QString(), QStringLiteral("  leading and trailing  ")},
        {QStringLiteral("1e5"), QStringLiteral("<b>&amp;</b>"), QString(QChar(0x01)) + QStringLiteral("ctl")},
        {QString(32767, QChar(u'x'))},
    };
    SpreadsheetWriter writer;
    writer.addSheet(QStringLiteral("Sheet1"), first, {10, 20});
    writer.addSheet(QStringLiteral("Other"), {{QString(), QStringLiteral("B1 only")}});
    ASSERT_TRUE(writer.save(file("out.xlsx"))) << writer.errorDetail().toStdString();
    EXPECT_EQ(readBack(file("out.xlsx")), first);
    EXPECT_EQ(readBack(file("out.xlsx"), "Other"), SheetRows({{QString(), QStringLiteral("B1 only")}}));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"out.xlsx"}));

    unzFile zip = unzOpen64(QFile::encodeName(file("out.xlsx")).constData());
    ASSERT_EQ(unzLocateFile(zip, "xl/styles.xml", 1), UNZ_OK);
    ASSERT_EQ(unzOpenCurrentFile(zip), UNZ_OK);
    QByteArray styles(1 << 16, '\0');
    styles.truncate(std::max(0, unzReadCurrentFile(zip, styles.data(), int(styles.size()))));
    unzCloseCurrentFile(zip);
    unzClose(zip);
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
    EXPECT_EQ(errorOf({{"a/b", {{"a"}}}}, "bad.xlsx"), E::BadSheetName);
    EXPECT_EQ(errorOf({{"Sheet1", {{"a"}}}, {"SHEET1", {{"b"}}}}, "bad.xlsx"), E::BadSheetName);
    EXPECT_FALSE(QFile::exists(file("bad.xlsx")));
    EXPECT_EQ(errorOf({{"Sheet1", {{"a"}}}}, "missing-folder/out.xlsx"), E::CannotWrite);

    SpreadsheetWriter old;
    old.addSheet("Sheet1", {{"old"}});
    ASSERT_TRUE(old.save(file("keep.xlsx")));
    EXPECT_EQ(errorOf({{"Sheet1", {{"new", QString(32768, u'y')}}}}, "keep.xlsx"), E::CellTooLarge);
    EXPECT_EQ(readBack(file("keep.xlsx")), SheetRows({{"old"}}));
}

TEST_F(SpreadsheetTest, ReadsWorkbooksMadeByOtherPrograms)
{
    const SheetRows expected{
        {"Unit No.", "Name ", "Sex"}, // rich runs joined, phonetic guide left out, an inline string
        {"7", "王 & \"Li\" <O'Brien>", "", "", "13800138000", "0.1"},
        {}, // a row left out of the file stays an empty row
        {"TRUE", "line one\r\nline two", "Unit No."},
        {"noref", "2.5"}, // cells without references follow the previous ones
    };
    EXPECT_EQ(readBack(fixture("handmade.xlsx")), expected);
    EXPECT_EQ(readBack(fixture("handmade.xlsx"), "Notes"), SheetRows({{"", "only B1"}}));
    EXPECT_EQ(readBack(fixture("legacy.xls")),
              SheetRows({{"Unit No.", "Name"}, {"12", "张三", "", "1.5"}, {"abc", "say \"hi\"\nbye"}}));
}

TEST_F(SpreadsheetTest, BrokenOrForeignFilesGiveAnErrorNotACrash)
{
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return file(name);
    };
    auto errorOf = [&](const QString& path, const QString& sheet = QStringLiteral("Sheet1")) {
        SpreadsheetReader reader;
        SheetRows rows;
        if (reader.open(path) && reader.readSheet(sheet, rows))
            return SpreadsheetReader::Error::None;
        EXPECT_TRUE(rows.isEmpty());
        return reader.error();
    };
    using E = SpreadsheetReader::Error;
    QFile good(fixture("handmade.xlsx"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    QByteArray flipped = bytes;
    flipped[bytes.indexOf("xl/worksheets/sheet1.xml") + 40] ^= 0x5a;

    EXPECT_EQ(errorOf(file("absent.xlsx")), E::CannotOpen);
    EXPECT_EQ(errorOf(write("text.xlsx", "Unit,Name\n1,A\n")), E::NotASpreadsheet);
    EXPECT_EQ(errorOf(write("cut.xlsx", bytes.left(bytes.size() / 2))), E::NotASpreadsheet);
    EXPECT_NE(errorOf(write("flipped.xlsx", flipped)), E::None);
    EXPECT_EQ(errorOf(fixture("handmade.xlsx"), "sheet1"), E::SheetMissing); // names are exact
    // A damaged legacy workbook that crashes the .xls library when opened in-process.
    EXPECT_EQ(errorOf(fixture("damaged.xls")), E::NotASpreadsheet);
    EXPECT_EQ(errorOf(write("fake.xls", QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, 'x'))),
              E::NotASpreadsheet);
}

TEST_F(SpreadsheetTest, AFailedOpenLeavesNothingToRead)
{
    // Sheet names are collected before the workbook's XML turns out to be cut off.
    const std::pair<const char*, QByteArray> parts[] = {
        {"_rels/.rels", "<Relationships><Relationship Id=\"rId1\" Type=\"x/officeDocument\" "
                        "Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns:r=\"urn:r\"><sheets><sheet name=\"Sheet1\" r:id=\"rId1\"/>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                                       "Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>A</t></is></c>"
                                     "</row></sheetData></worksheet>"},
    };
    zipFile zip = zipOpen64(QFile::encodeName(file("unclosed.xlsx")).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, bytes] : parts) {
        ASSERT_EQ(
            zipOpenNewFileInZip64(zip, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 0),
            ZIP_OK);
        zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);

    SpreadsheetReader reader;
    SheetRows rows;
    EXPECT_FALSE(reader.open(file("unclosed.xlsx")));
    EXPECT_EQ(reader.error(), SpreadsheetReader::Error::NotASpreadsheet);
    EXPECT_TRUE(reader.sheetNames().isEmpty());
    EXPECT_FALSE(reader.readSheet("Sheet1", rows));
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(SpreadsheetTest, GarbledBytesFromTheLegacyReaderAreRefused)
{
    // Found by fuzzing: a list count of 0x0e000000 sheet names in a 27-byte payload.
    const QByteArray hugeCount = QByteArray::fromBase64("AAAAAgAAAK8OAGQAYf////8OBgAAAAAAAAAA");
    SpreadsheetReader reader;
    SheetRows rows;
    for (const QByteArray& payload :
         {hugeCount, hugeCount.left(8), QByteArray::fromHex("000000630000000000000000")}) {
        EXPECT_FALSE(reader.takeLegacyPayload(payload));
        EXPECT_EQ(reader.error(), SpreadsheetReader::Error::NotASpreadsheet);
        EXPECT_TRUE(reader.sheetNames().isEmpty());
        EXPECT_FALSE(reader.readSheet("Sheet1", rows));
    }
}

TEST_F(SpreadsheetTest, SizeLimitsStopHugeSheetsButNotLargeOnes)
{
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
    EXPECT_EQ(readBack(file("big.xlsx")), big);
    SpreadsheetReader strict;
    strict.setLimits(1024 * 1024, SpreadsheetReader::kDefaultMaxCells);
    SheetRows rows;
    ASSERT_TRUE(strict.open(file("big.xlsx")));
    EXPECT_FALSE(strict.readSheet("Sheet1", rows));
    EXPECT_EQ(strict.error(), SpreadsheetReader::Error::TooLarge);
}

} // namespace
