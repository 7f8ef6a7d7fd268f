#include "meeting/FrmInser.h"

#include "data/Schema.h"
#include "screen/FrmScr.h"
#include "screen/RtfReader.h"
#include "screen/RtfTestPrinters.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFragment>

namespace {

class FrmInserTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
    }

    void TearDown() override
    {
        screen.reset();
        ConsoleTest::TearDown();
    }

    std::unique_ptr<FrmScr> screen;
};

} // namespace

TEST_F(FrmInserTest, SendWritesTheFileAndShowsItWithItsFormatsOnTheScreen)
{
    FrmInser dialog(*screen, QColor(0, 64, 0));
    screen->showPanel();
    QTextCursor cursor(dialog.editor()->document());
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(255, 255, 0));
    cursor.insertText("休会十分钟", title);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("Break: ten minutes", QTextCharFormat());

    QTest::mouseClick(dialog.findChild<QPushButton*>("IDC_SEND_INSBNT"), Qt::LeftButton);

    const QString path = programFile(FrmInser::relativeFilePath());
    QTextDocument written;
    ASSERT_EQ(RtfReader().readFile(path, &written), RtfReader::Status::Ok);
    EXPECT_EQ(written.toPlainText(), "休会十分钟\nBreak: ten minutes");
    EXPECT_FALSE(dialog.editor()->document()->isModified());
    // The text area, with the formats and the dialog's background.
    EXPECT_EQ(screen->surface(), FrmScr::Surface::TextArea);
    EXPECT_TRUE(screen->isVisible());
    const QTextDocument* shown = screen->textArea()->document();
    EXPECT_EQ(shown->toPlainText(), "休会十分钟\nBreak: ten minutes");
    const QTextCharFormat format = shown->begin().begin().fragment().charFormat();
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_EQ(format.foreground().color(), QColor(255, 255, 0));
    EXPECT_EQ(screen->textArea()->palette().color(QPalette::Base), QColor(0, 64, 0));
    saveScreenshot(dialog, "FrmInser");
    saveScreenshot(*screen, "FrmInser-screen");
}

TEST_F(FrmInserTest, AFileThatCannotBeWrittenIsReportedAndTheScreenKeepsItsText)
{
    screen->setPlainText("Before");
    // A folder where the file should be: the write fails.
    ASSERT_TRUE(QDir().mkpath(programFile(FrmInser::relativeFilePath())));
    FrmInser dialog(*screen, QColor(0, 0, 255));
    dialog.editor()->textCursor().insertText("Never shown");
    EXPECT_FALSE(dialog.sendToScreen());
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_EQ(screen->textArea()->toPlainText(), "Before");
    EXPECT_TRUE(dialog.editor()->document()->isModified());
}

TEST_F(FrmInserTest, FontGoesToTheSelectionOnly)
{
    FrmInser dialog(*screen, QColor(0, 0, 255));
    dialog.editor()->setPlainText("abc");
    QTextCursor cursor = dialog.editor()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    dialog.editor()->setTextCursor(cursor);
    QFont font("WenQuanYi Zen Hei");
    font.setPointSize(24);
    dialog.applyFont(font);
    QString sizes;
    for (int position = 1; position <= 3; ++position) {
        cursor.setPosition(position);
        sizes += cursor.charFormat().fontPointSize() == 24.0 ? '*' : '-';
    }
    EXPECT_EQ(sizes, "-*-");
}
