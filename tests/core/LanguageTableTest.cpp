#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

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

// A missing, empty or binary table falls back to the shipped one, then to the English built in.
TEST_F(LanguageTableTest, ADamagedTableIsReplacedAndOneLineSaysWhatWasUsed)
{
    QTemporaryDir shipped;
    ASSERT_TRUE(ProgramFolder::copyTree(QStringLiteral(CONSOLE_SHARE_SOURCE_DIR), shipped.path()));
    const QString table = QStringLiteral("System/Menu/menu_p.ini");
    const QString portuguese =
        Texts("FrmMain", QStringLiteral(CONSOLE_SHARE_SOURCE_DIR "/") + table)("DlgName");
    const QString english = Texts("FrmMain", LanguageTable::builtInEnglish())("DlgName");
    ASSERT_FALSE(english.isEmpty());
    LanguageTable::use(table, {shipped.path()});
    EXPECT_TRUE(LanguageTable::note().isEmpty()) << "a sound table needs no word";
    for (const QByteArray& damage : {QByteArray(), QByteArray("\x00\xff\x13\x88garbage", 11)}) {
        QFile file(programFile(table));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damage);
        file.close();
        LanguageTable::use(table, {shipped.path()});
        EXPECT_EQ(Texts("FrmMain")("DlgName"), portuguese);
        EXPECT_EQ(LanguageTable::code(), "2");
        EXPECT_TRUE(LanguageTable::note().contains(programFile(table)));
        EXPECT_TRUE(LanguageTable::note().contains(shipped.path()));
    }
    ASSERT_TRUE(QFile::remove(shipped.filePath(table)));
    ASSERT_TRUE(QDir(programFile("System/Menu")).removeRecursively());
    LanguageTable::use(table, {shipped.path()});
    EXPECT_EQ(Texts("FrmMain")("DlgName"), english);
    EXPECT_EQ(LanguageTable::text("FrmMain", "DlgName"), english);
    EXPECT_TRUE(LanguageTable::note().contains(QStringLiteral("English built into the program")));
}

// Section/key names of a shipped table: every text the pages read must be in all three.
QSet<QString> keysOf(const QString& file)
{
    QFile ini(QStringLiteral(CONSOLE_SHARE_SOURCE_DIR "/System/Menu/") + file);
    EXPECT_TRUE(ini.open(QIODevice::ReadOnly | QIODevice::Text)) << file.toStdString();
    QSet<QString> keys;
    QString section;
    for (const QString& line : QString::fromUtf8(ini.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char(';')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')))
            section = trimmed;
        else if (trimmed.contains(QLatin1Char('=')))
            keys.insert(section + trimmed.section(QLatin1Char('='), 0, 0).trimmed());
    }
    return keys;
}

TEST(LanguageTables, TheThreeTablesHaveTheSameKeys)
{
    const QSet<QString> chinese = keysOf(QStringLiteral("menu.ini"));
    EXPECT_GT(chinese.size(), 400);
    EXPECT_EQ(keysOf(QStringLiteral("menu_e.ini")), chinese);
    EXPECT_EQ(keysOf(QStringLiteral("menu_p.ini")), chinese);
}

} // namespace
