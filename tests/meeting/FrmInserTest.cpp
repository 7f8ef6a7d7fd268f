#include "meeting/FrmInser.h"

#include "data/Schema.h"
#include "screen/FrmScr.h"
#include "screen/RtfReader.h"
#include "screen/RtfTestPrinters.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"

#include <QDir>
#include <QFile>
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

    static void typeFormatted(QTextEdit* editor)
    {
        QTextCursor cursor(editor->document());
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centred);
        QTextCharFormat title;
        title.setFontWeight(QFont::Bold);
        title.setFontPointSize(36);
        title.setForeground(QColor(255, 255, 0));
        cursor.insertText("休会十分钟", title);
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText("Break: ten minutes", QTextCharFormat());
    }

    std::unique_ptr<FrmScr> screen;
};

} // namespace

TEST_F(FrmInserTest, EverySendReplacesTheFileAndShowsItOnTheScreen)
{
    FrmInser dialog(*screen, QColor(0, 64, 0));
    ASSERT_FALSE(screen->isVisible());
    screen->showPanel();
    typeFormatted(dialog.editor());
    ASSERT_TRUE(dialog.editor()->document()->isModified());

    QTest::mouseClick(dialog.findChild<QPushButton*>("IDC_SEND_INSBNT"), Qt::LeftButton);

    const QString path = programFile(FrmInser::relativeFilePath());
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(dialog.windowTitle(), "MyRtf - " + path);
    EXPECT_FALSE(dialog.editor()->document()->isModified());

    // The file is RTF with the editor's text and formats.
    QTextDocument written;
    ASSERT_EQ(RtfReader().readFile(path, &written), RtfReader::Status::Ok);
    EXPECT_EQ(written.toPlainText(), "休会十分钟\nBreak: ten minutes");

    // The screen shows the text area with the same text, formats and the dialog's background.
    EXPECT_EQ(screen->surface(), FrmScr::Surface::TextArea);
    EXPECT_TRUE(screen->isVisible());
    QTextDocument* shown = screen->textArea()->document();
    EXPECT_EQ(shown->toPlainText(), "休会十分钟\nBreak: ten minutes");
    EXPECT_FALSE(shown->isModified());
    const QTextBlock title = shown->begin();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat format = title.begin().fragment().charFormat();
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(format.fontPointSize(), 36.0);
    EXPECT_EQ(format.foreground().color(), QColor(255, 255, 0));
    EXPECT_EQ(screen->textArea()->palette().color(QPalette::Base), QColor(0, 64, 0));

    saveScreenshot(dialog, "FrmInser");
    saveScreenshot(*screen, "FrmInser-screen");

    // The next send replaces the whole file rather than adding to it.
    dialog.editor()->setPlainText("Short");
    ASSERT_TRUE(dialog.sendToScreen());
    ASSERT_EQ(RtfReader().readFile(path, &written), RtfReader::Status::Ok);
    EXPECT_EQ(written.toPlainText(), "Short");
    EXPECT_EQ(screen->textArea()->toPlainText(), "Short");
}

TEST_F(FrmInserTest, AFileThatCannotBeWrittenIsReportedAndTheScreenKeepsItsText)
{
    screen->setPlainText("Before");
    // A folder where the file should be: the write fails.
    ASSERT_TRUE(QDir().mkpath(programFile(FrmInser::relativeFilePath())));
    FrmInser dialog(*screen, QColor(0, 0, 255));
    dialog.editor()->textCursor().insertText("Never shown");
    EXPECT_FALSE(dialog.sendToScreen());
    const QStringList messages = prompts.takeTexts();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("The text could not be sent to the screen (" +
                                       programFile(FrmInser::relativeFilePath()) + ")."))
        << messages[0].toStdString();
    EXPECT_EQ(screen->textArea()->toPlainText(), "Before");
    EXPECT_TRUE(dialog.editor()->document()->isModified());
}

TEST_F(FrmInserTest, FontGoesToTheSelectionOrToWhatIsTypedNext)
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

    auto sizeAt = [&dialog](int position) {
        QTextCursor probe(dialog.editor()->document());
        probe.setPosition(position);
        return probe.charFormat().fontPointSize();
    };
    EXPECT_DOUBLE_EQ(sizeAt(2), 24.0);
    EXPECT_NE(sizeAt(1), 24.0);
    EXPECT_NE(sizeAt(3), 24.0);
}
