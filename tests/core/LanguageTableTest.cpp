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

} // namespace
