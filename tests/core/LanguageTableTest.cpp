#include "core/LanguageTable.h"
#include "support/ConsoleTest.h"

#include <QFile>
#include <QSet>

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
