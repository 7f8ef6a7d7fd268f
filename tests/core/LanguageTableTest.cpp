#include "core/LanguageTable.h"
#include "support/ConsoleTest.h"

#include <QFile>

namespace {

using LanguageTableTest = ConsoleTest;

TEST_F(LanguageTableTest, UnknownCodeMissingKeyOrMissingFileGiveEmptyText)
{
    useLanguage("7");
    EXPECT_EQ(Texts("FrmMain")("DlgName"), "");
    EXPECT_EQ(LanguageTable::text("FrmMain", "DlgName"), "");
    useLanguage("1");
    EXPECT_EQ(Texts("FrmMain")("IDC_NO_SUCH_KEY"), "");
    EXPECT_EQ(Texts("NoSuchSection")("DlgName"), "");
    ASSERT_TRUE(QFile::remove(programFile("System/Menu/menu_e.ini")));
    EXPECT_EQ(Texts("FrmMain")("DlgName"), "");
}

TEST_F(LanguageTableTest, TextsAreReadWhenAWindowInitialises)
{
    const Texts before("FrmMain");
    QFile file(programFile("System/Menu/menu_e.ini"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\r\n[FrmLater]\r\nDlgName=Added later\r\n");
    file.close();
    EXPECT_EQ(Texts("FrmLater")("DlgName"), "Added later");
}

// A key missing from one table would leave an empty caption in that language.
TEST_F(LanguageTableTest, AllThreeTablesHaveTheSameKeys)
{
    auto keysOf = [this](const QString& file) {
        QStringList keys;
        QFile in(programFile(file));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QString section;
        for (const QString& raw : QString::fromUtf8(in.readAll()).split('\n')) {
            const QString line = raw.trimmed();
            if (line.startsWith('['))
                section = line;
            else if (line.contains('=') && !line.startsWith(';'))
                keys.append(section + line.left(line.indexOf('=')).trimmed());
        }
        keys.sort();
        return keys;
    };
    const QStringList chinese = keysOf("System/Menu/menu.ini");
    EXPECT_FALSE(chinese.isEmpty());
    EXPECT_EQ(keysOf("System/Menu/menu_e.ini"), chinese);
    EXPECT_EQ(keysOf("System/Menu/menu_p.ini"), chinese);
}

} // namespace
