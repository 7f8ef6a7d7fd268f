#include "support/ConsoleTest.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"

void ConsoleTest::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    ASSERT_TRUE(ProgramFolder::copyTree(QStringLiteral(CONSOLE_SHARE_SOURCE_DIR), m_folder.path()));
    ProgramFolder::set(m_folder.path());
    useLanguage(QStringLiteral("1"));
}

void ConsoleTest::TearDown()
{
    for (const PromptRecorder::Record& record : prompts.pending())
        ADD_FAILURE() << "unexpected " << (record.question ? "question" : "message") << ": "
                      << record.caption.toStdString() << ": " << record.text.toStdString();
}

QString ConsoleTest::programFile(const QString& relative) const
{
    return ProgramFolder::filePath(relative);
}

void ConsoleTest::useLanguage(const QString& code)
{
    LanguageTable::setFile(LanguageTable::fileForCode(code));
}
