#include "meeting/FrmFile.h"

#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "screen/FrmScr.h"
#include "support/SystemDatabaseTest.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

namespace {

class FrmFileTest : public SystemDatabaseTest
{
protected:
    void SetUp() override
    {
        SystemDatabaseTest::SetUp();
        ASSERT_TRUE(settings.execute("update sysbasicset set ScrColor = ?, ScrTextColor = ?",
                                     {colourToStored(QColor(0, 0, 128)), colourToStored(Qt::white)}));
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
        page = std::make_unique<FrmFile>(*screen, clock);
    }
    void TearDown() override
    {
        page.reset();
        screen.reset();
        ConsoleTest::TearDown();
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile out(programFile(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }
    void click(const char* name) { QTest::mouseClick(page->findChild<QPushButton*>(name), Qt::LeftButton); }
    void openByButton(const QString& path)
    {
        services.answerFiles({path});
        click("IDC_OPENTEXT_BUTTON");
        services.takeFileRequests();
    }
    // The characters of the hall screen's text in the given colour.
    QString screenTextIn(const QColor& colour)
    {
        QTextDocument* document = screen->textArea()->document();
        QString text;
        const QString all = document->toPlainText();
        for (int i = 0; i < all.size(); ++i) {
            QTextCursor cursor(document);
            cursor.setPosition(i + 1);
            if (cursor.charFormat().foreground().color() == colour)
                text += all[i];
        }
        return text;
    }

    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<FrmFile> page;
};

} // namespace

TEST_F(FrmFileTest, OpensALegacyChineseFileIntoBothViewsAndKeepsThemOnFailure)
{
    useLanguage("0");
    // GBK bytes with Windows line ends, as Chinese Notepad saves them.
    openByButton(writeFile("speech.txt", "\xb8\xf7\xce\xbb\xb4\xfa\xb1\xed\xa3\xba\r\n"
                                         "\xbb\xe1\xd2\xe9\xbf\xaa\xca\xbc\xa1\xa3\r\n"));
    const QString expected = "各位代表：\n会议开始。\n";
    EXPECT_EQ(page->view()->toPlainText(), expected);
    EXPECT_EQ(screenTextIn(Qt::white), expected);
    EXPECT_EQ(page->view()->palette().color(QPalette::Base), QColor(0, 0, 128));

    // A folder cannot be read as a text file: reported, both views keep their text.
    openByButton(programFile("System"));
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_EQ(page->view()->toPlainText(), expected);
    EXPECT_EQ(screen->textArea()->toPlainText(), expected);
}
