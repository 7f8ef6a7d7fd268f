// The login dialog: the stored password, read on every attempt, decides.

#include "app/FrmPass.h"
#include "data/Backup.h"
#include "data/DbAccess.h"
#include "data/PasswordHash.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "ui/PictureButton.h"

#include "support/ConsoleTest.h"
#include "support/Screenshot.h"

#include <QFile>
#include <QFileInfo>
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
        dialog = std::make_unique<FrmPass>(clock);
        dialog->show();
    }
    void TearDown() override
    {
        dialog.reset();
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
    clock.advance(LoginGate::waitAfter(3));
    attempt("Secret7");
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    clock.advance(LoginGate::waitAfter(4));
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

TEST_F(FrmPassTest, EnterLogsInFromTheFieldEscapeAndEnterOnExitDoNothing)
{
    storePassword("pw");
    QTest::keyClicks(field(), "pw");
    QTest::keyClick(field(), Qt::Key_Escape);
    QTest::keyClick(dialog->findChild<PictureButton*>(FrmPass::kExitButton), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(programEnds.isEmpty());
    QTest::keyClicks(field(), "x");
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(prompts.takeTexts().size(), 1); // "pwx" was refused
    EXPECT_FALSE(loggedIn());
    QTest::keyClicks(field(), "pw");
    QTest::keyClick(field(), Qt::Key_Enter);
    EXPECT_TRUE(loggedIn());
    EXPECT_TRUE(programEnds.isEmpty());
}

TEST_F(FrmPassTest, ExitEndsTheProgramAndTheDialogNeverClosesWithoutThePassword)
{
    QTest::mouseClick(dialog->findChild<PictureButton*>(FrmPass::kExitButton), Qt::LeftButton);
    dialog->close();
    EXPECT_EQ(programEnds, (QList<int>{0, 0}));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(FrmPassTest, AfterThreeWrongPasswordsEachTryWaitsTwiceAsLongAsTheLast)
{
    // The first two waits are timed through the dialog below; here the doubling goes on to its cap.
    EXPECT_EQ(LoginGate::waitAfter(7), 16000);
    EXPECT_EQ(LoginGate::waitAfter(8), 30000);
    EXPECT_EQ(LoginGate::waitAfter(100), 30000);

    storePassword("right");
    for (int i = 0; i < 3; ++i)
        attempt("wrong");
    EXPECT_EQ(prompts.takeTexts().size(), 3);
    auto* wait = dialog->findChild<QLabel*>(FrmPass::kWaitLine);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->text(), Texts("FrmPass")("MsgWait").arg(1));
    saveScreenshot(*dialog, QStringLiteral("FrmPass-wait"));
    attempt("right"); // the button is off while the brake holds
    EXPECT_FALSE(loggedIn());
    clock.advance(1000);
    EXPECT_FALSE(wait->isVisible());
    attempt("wrong");
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_EQ(wait->text(), Texts("FrmPass")("MsgWait").arg(2));
    clock.advance(1999);
    attempt("right");
    EXPECT_FALSE(loggedIn());
    clock.advance(1);
    attempt("right");
    EXPECT_TRUE(loggedIn());
}

TEST_F(FrmPassTest, OlderStoredFormsLogInAndAreStoredAgainAsArgon2id)
{
    const QByteArray salt = PasswordHash::newSalt();
    const QString sha256 = QStringLiteral("sha256$") + QString::fromLatin1(salt.toHex()) + u'$' +
                           QString::fromLatin1(PasswordHash::digest(salt, "pw").toHex());
    for (const QString& older : {sha256, QStringLiteral("pw")}) {
        storePassword(older);
        LoginGate gate(clock);
        EXPECT_EQ(gate.tryPassword("pw"), LoginGate::Answer::Accepted) << older.toStdString();
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(settings.load());
        EXPECT_TRUE(settings.UserPass.startsWith("$argon2id$")) << settings.UserPass.toStdString();
        EXPECT_EQ(gate.tryPassword("pw"), LoginGate::Answer::Accepted);
        EXPECT_EQ(gate.tryPassword("Pw"), LoginGate::Answer::Wrong);
    }
    prompts.take();
}

TEST_F(FrmPassTest, WithoutTheSettingsRowNobodyLogsInAndTheBackupIsOffered)
{
    storePassword("");
    ASSERT_TRUE(Backup::copy(Schema::kSystemDatabase));
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "delete from sysbasicset"));
    attempt(""); // the empty password of a new installation no longer opens
    EXPECT_FALSE(loggedIn());
    QList<PromptRecorder::Record> asked = prompts.take();
    ASSERT_EQ(asked.size(), 2); // restore? (answered No), then the fresh start, not typed
    EXPECT_TRUE(asked[0].text.startsWith(Texts("FrmPass")("MsgDamaged")));
    prompts.answerNext(true);
    attempt("");
    EXPECT_EQ(prompts.takeTexts().last(), Texts("FrmPass")("MsgRestored"));
    attempt("");
    EXPECT_TRUE(loggedIn());
}

TEST_F(FrmPassTest, ADamagedSystemDatabaseIsReplacedOnlyAfterTheTypedWord)
{
    storePassword("secret");
    QFile file(programFile(Schema::kSystemDatabase));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, '\x5a'));
    file.close();
    prompts.answerNextTyped("yes");
    attempt("");
    EXPECT_FALSE(loggedIn());
    prompts.take(); // the store's word on the file, then the typed question
    EXPECT_EQ(QFileInfo(file).size(), 8192) << "a wrong word changes nothing";
    prompts.answerNextTyped(Texts("FrmPass")("MsgFreshWord"));
    attempt("");
    EXPECT_EQ(prompts.takeTexts().last(), Texts("FrmPass")("MsgFreshDone"));
    attempt(""); // a fresh system database has no password
    EXPECT_TRUE(loggedIn());
}

} // namespace
