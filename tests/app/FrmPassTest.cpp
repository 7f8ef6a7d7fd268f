// The login dialog: the stored password, read on every attempt, decides.

#include "app/FrmPass.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"

#include "support/ConsoleTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class FrmPassTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        ProgramEnd::setHook([this](int code) { programEnds.append(code); });
        dialog = std::make_unique<FrmPass>();
        dialog->show();
    }
    void TearDown() override
    {
        dialog.reset();
        ProgramEnd::setHook({});
        ConsoleTest::TearDown();
    }

    static void storePassword(const QString& password)
    {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(settings.execute(QStringLiteral("update sysbasicset set UserPass = ? where Tag = ?"),
                                     {password, QStringLiteral("tag")}));
    }

    QLineEdit* field() const { return dialog->findChild<QLineEdit*>(FrmPass::kPasswordEdit); }

    // Types into an empty field and presses the log-in button.
    void attempt(const QString& typed)
    {
        field()->clear();
        QTest::keyClicks(field(), typed);
        QTest::mouseClick(dialog->findChild<PictureButton*>(FrmPass::kLoginButton), Qt::LeftButton);
    }

    bool loggedIn() const { return dialog->result() == QDialog::Accepted && !dialog->isVisible(); }

    std::unique_ptr<FrmPass> dialog;
    QList<int> programEnds;
};

TEST_F(FrmPassTest, TextsAndWindow)
{
    EXPECT_EQ(dialog->windowTitle(), "System Login");
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* prompt = dialog->findChild<QLabel*>("ClewPass");
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->text(), "Please enter the system password:");
    EXPECT_EQ(prompt->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(dialog->findChild<PictureButton*>(FrmPass::kLoginButton)->accessibleName(), "Log in");
    EXPECT_EQ(dialog->findChild<PictureButton*>(FrmPass::kExitButton)->accessibleName(), "Exit");
    EXPECT_EQ(field()->echoMode(), QLineEdit::Password);
    const QString folder = qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QTest::keyClicks(field(), "secret");
        dialog->grab().save(folder + "/login.png");
    }
}

TEST_F(FrmPassTest, WrongPasswordIsRefusedAndTheFieldCleared)
{
    storePassword("Secret7");
    // Differs only in case, then a prefix, then one character more.
    for (const QString& typed :
         {QStringLiteral("secret7"), QStringLiteral("Secret"), QStringLiteral("Secret77")}) {
        attempt(typed);
        const QList<PromptRecorder::Record> shown = prompts.take();
        ASSERT_EQ(shown.size(), 1) << typed.toStdString();
        EXPECT_FALSE(shown[0].question);
        EXPECT_EQ(shown[0].caption, "Notice");
        EXPECT_EQ(shown[0].text, "The password is not correct. Please try again.");
        EXPECT_TRUE(field()->text().isEmpty());
        EXPECT_TRUE(dialog->isVisible());
    }
    attempt("Secret7");
    EXPECT_TRUE(prompts.take().isEmpty());
    EXPECT_TRUE(loggedIn());
    EXPECT_TRUE(programEnds.isEmpty());
}

TEST_F(FrmPassTest, EmptyStoredPasswordAcceptsAnEmptyField)
{
    storePassword("");
    attempt("x");
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    attempt("");
    EXPECT_TRUE(loggedIn());
}

TEST_F(FrmPassTest, PasswordChangedWhileOpenCountsAtTheNextAttempt)
{
    storePassword("first");
    attempt("second");
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    storePassword("second");
    attempt("first");
    EXPECT_EQ(prompts.takeTexts().size(), 1) << "the old password no longer opens";
    attempt("second");
    EXPECT_TRUE(loggedIn());
}

TEST_F(FrmPassTest, AtMostFiftyCharactersAreTaken)
{
    const QString sixty = QString(60, QLatin1Char('a'));
    QTest::keyClicks(field(), sixty);
    EXPECT_EQ(field()->text(), QString(50, QLatin1Char('a')));

    // A stored password of 50 characters can be typed in full.
    storePassword(QString(50, QLatin1Char('a')));
    QTest::mouseClick(dialog->findChild<PictureButton*>(FrmPass::kLoginButton), Qt::LeftButton);
    EXPECT_TRUE(loggedIn());
}

TEST_F(FrmPassTest, EnterAndEscapeDoNothing)
{
    storePassword("pw");
    QTest::keyClicks(field(), "pw");
    QTest::keyClick(field(), Qt::Key_Return);
    QTest::keyClick(field(), Qt::Key_Enter);
    QTest::keyClick(field(), Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    // Not even on the focused log-in button.
    QTest::keyClick(dialog->findChild<PictureButton*>(FrmPass::kLoginButton), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(field()->text(), "pw");
    EXPECT_TRUE(programEnds.isEmpty());
}

TEST_F(FrmPassTest, ExitAndCloseBoxEndTheProgram)
{
    QTest::mouseClick(dialog->findChild<PictureButton*>(FrmPass::kExitButton), Qt::LeftButton);
    EXPECT_EQ(programEnds, (QList<int>{0}));
    dialog->close();
    EXPECT_EQ(programEnds, (QList<int>{0, 0}));
    EXPECT_TRUE(dialog->isVisible()) << "the dialog never closes without the password";
}

} // namespace
