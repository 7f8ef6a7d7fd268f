// The login dialog: the stored password, read on every attempt, decides.

#include "app/FrmPass.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"

#include "support/ConsoleTest.h"

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
        ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "update sysbasicset set UserPass = ?",
                                          {password}));
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

TEST_F(FrmPassTest, OnlyTheStoredPasswordOfTheMomentOpens)
{
    storePassword("Secret7");
    // Differs only in case, then a prefix, then one character more.
    for (const char* typed : {"secret7", "Secret", "Secret77"}) {
        attempt(typed);
        EXPECT_EQ(prompts.takeTexts(), QStringList{"The password is not correct. Please try again."})
            << typed;
        EXPECT_TRUE(field()->text().isEmpty());
    }
    // Changed while the dialog is open: the old one no longer opens.
    storePassword("second");
    attempt("Secret7");
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    attempt("second");
    EXPECT_TRUE(loggedIn());
    EXPECT_TRUE(programEnds.isEmpty());
}

TEST_F(FrmPassTest, AnEmptyStoredPasswordAndTheFiftyCharacterLimit)
{
    storePassword("");
    attempt("x");
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    QTest::keyClicks(field(), QString(60, QLatin1Char('a')));
    EXPECT_EQ(field()->text(), QString(50, QLatin1Char('a')));
    attempt("");
    EXPECT_TRUE(loggedIn());
}

TEST_F(FrmPassTest, EnterAndEscapeDoNothingExitEndsTheProgram)
{
    storePassword("pw");
    QTest::keyClicks(field(), "pw");
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(field(), Qt::Key(key));
    QTest::keyClick(dialog->findChild<PictureButton*>(FrmPass::kLoginButton), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(programEnds.isEmpty());
    QTest::mouseClick(dialog->findChild<PictureButton*>(FrmPass::kExitButton), Qt::LeftButton);
    dialog->close();
    EXPECT_EQ(programEnds, (QList<int>{0, 0}));
    EXPECT_TRUE(dialog->isVisible()) << "the dialog never closes without the password";
}

} // namespace
