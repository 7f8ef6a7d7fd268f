#include "meeting/FrmInser.h"

#include "data/Schema.h"
#include "screen/FrmScr.h"
#include "screen/RtfReader.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFragment>

TEST_F(ConsoleTest, InsertSendWritesTheFileAndShowsItOrReportsAFailedWrite)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    FrmScr screen;
    screen.loadSettings();
    {
        FrmInser dialog(screen, QColor(0, 64, 0));
        screen.showPanel();
        QTextCharFormat title;
        title.setFontWeight(QFont::Bold);
        QTextCursor(dialog.editor()->document()).insertText("休会十分钟", title);
        QTest::mouseClick(dialog.findChild<QPushButton*>("IDC_SEND_INSBNT"), Qt::LeftButton);
        QTextDocument written;
        ASSERT_EQ(RtfReader().readFile(programFile(FrmInser::relativeFilePath()), &written),
                  RtfReader::Status::Ok);
        EXPECT_EQ(written.toPlainText(), "休会十分钟");
        EXPECT_EQ(screen.surface(), FrmScr::Surface::TextArea);
        EXPECT_EQ(screen.textArea()->document()->begin().begin().fragment().charFormat().fontWeight(),
                  QFont::Bold);
    }
    // A folder where the file should be: the write fails and the screen keeps its text.
    ASSERT_TRUE(QFile::remove(programFile(FrmInser::relativeFilePath())));
    ASSERT_TRUE(QDir().mkpath(programFile(FrmInser::relativeFilePath())));
    FrmInser dialog(screen, QColor(0, 0, 255));
    dialog.editor()->textCursor().insertText("Never shown");
    EXPECT_FALSE(dialog.sendToScreen());
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_EQ(screen.textArea()->toPlainText(), "休会十分钟");
    EXPECT_TRUE(dialog.editor()->document()->isModified());
}

TEST_F(ConsoleTest, InsertSaysWhatItDidOkSendsWhatIsUnsentAndCancelSendsNothing)
{
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    FrmScr screen;
    screen.loadSettings();
    FrmInser dialog(screen, QColor(0, 0, 96));
    auto* note = dialog.findChild<QLabel*>(FrmInser::kNote);
    dialog.editor()->textCursor().insertText("Lunch until two");
    QTest::mouseClick(dialog.findChild<QPushButton*>("IDC_SEND_INSBNT"), Qt::LeftButton);
    EXPECT_TRUE(note->text().startsWith("Shown on the hall screen."));

    dialog.editor()->textCursor().insertText(" (not sent)");
    QTest::mouseClick(dialog.findChild<QPushButton*>("IDCANCEL"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(screen.textArea()->toPlainText(), "Lunch until two");

    FrmInser second(screen, QColor(0, 0, 96));
    second.editor()->textCursor().insertText("Back at three");
    QTest::mouseClick(second.findChild<QPushButton*>("IDOK"), Qt::LeftButton);
    EXPECT_EQ(second.result(), QDialog::Accepted);
    EXPECT_EQ(screen.textArea()->toPlainText(), "Back at three");
}
