// The connection status dialog and the no-controller dialog.

#include "link/FrmLogo.h"
#include "link/FrmError.h"
#include "LinkPagesFixture.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace {

class FrmLogoTest : public LinkPagesTest
{
protected:
    // The dialog with its no-controller dialog answered from `answers`.
    std::unique_ptr<FrmLogo> makeDialog(const QString& logoPicture = {})
    {
        auto dialog = std::make_unique<FrmLogo>(*link, clock, logoPicture);
        dialog->setErrorDialogRunner([this](QWidget*) {
            ++errorDialogs;
            return answers.isEmpty() ? FrmError::Outcome::Closed : answers.takeFirst();
        });
        dialog->show();
        return dialog;
    }

    PictureButton* refreshButton(FrmLogo& dialog) { return dialog.findChild<PictureButton*>("1236"); }

    QList<FrmError::Outcome> answers;
    int errorDialogs = 0;
};

TEST_F(FrmLogoTest, ProgressRunsInStepsOfTenAndWraps)
{
    auto dialog = makeDialog(QStringLiteral("logo.png"));
    // The logo picture of the program folder heads the dialog.
    const QImage logo(programFile("System/photo/logo.png"));
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(dialog->grab().toImage().pixelColor(10, 10), logo.pixelColor(10, 10));
    EXPECT_EQ(dialog->windowTitle(), "Connecting");
    EXPECT_EQ(dialog->findChild<QLabel*>("IDC_STATIC_NETLINK")->text(),
              "Searching for the conference controller…");
    ASSERT_NE(refreshButton(*dialog), nullptr);
    EXPECT_FALSE(refreshButton(*dialog)->isEnabled());
    EXPECT_FALSE(dialog->findChild<PictureButton*>("1")->isVisible());

    EXPECT_EQ(dialog->progress(), 0);
    clock.advance(100);
    EXPECT_EQ(dialog->progress(), 10);
    clock.advance(300);
    saveScreenshot(*dialog, "logo");
    clock.advance(500);
    EXPECT_EQ(dialog->progress(), 90);
    clock.advance(100);
    EXPECT_EQ(dialog->progress(), 0) << "reaching 100 starts again at 0";
    clock.advance(100);
    EXPECT_EQ(dialog->progress(), 10);
}

TEST_F(FrmLogoTest, ConnectedLinkStopsTheProgress)
{
    auto dialog = makeDialog();
    clock.advance(300);
    link->linkConnected = 1;
    clock.advance(100);
    EXPECT_EQ(link->linkConnected, 0) << "the dialog consumes the flag";
    EXPECT_EQ(dialog->progress(), 0);
    EXPECT_FALSE(dialog->isWatching());
    clock.advance(1000);
    EXPECT_EQ(dialog->progress(), 0);
    EXPECT_EQ(errorDialogs, 0);
}

TEST_F(FrmLogoTest, FailedSearchAsksAndTheAnswerDecides)
{
    // Continue: the main window comes without the controller.
    {
        answers = {FrmError::Outcome::Continue};
        auto dialog = makeDialog();
        clock.advance(200);
        link->searchFailed = 1;
        clock.advance(100);
        EXPECT_EQ(errorDialogs, 1);
        EXPECT_EQ(link->searchFailed, 0);
        EXPECT_EQ(link->linkConnected, 1);
        EXPECT_EQ(link->showMainWindowRequest, 1);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_FALSE(dialog->isWatching());
        EXPECT_EQ(dialog->progress(), 0);
    }
    link->linkConnected = 0;
    link->showMainWindowRequest = 0;
    // OK: the search may be started again.
    {
        answers = {FrmError::Outcome::Ok};
        auto dialog = makeDialog();
        link->searchFailed = 1;
        clock.advance(100);
        EXPECT_EQ(errorDialogs, 2);
        EXPECT_TRUE(refreshButton(*dialog)->isEnabled());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(link->showMainWindowRequest, 0);
        EXPECT_FALSE(dialog->isWatching());
        clock.advance(1000);
        EXPECT_EQ(errorDialogs, 2) << "asked once per failed search";
    }
    // Closed otherwise: nothing changes.
    {
        answers = {FrmError::Outcome::Closed};
        auto dialog = makeDialog();
        link->searchFailed = 1;
        clock.advance(100);
        EXPECT_EQ(errorDialogs, 3);
        EXPECT_FALSE(refreshButton(*dialog)->isEnabled());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(link->linkConnected, 0);
    }
}

TEST_F(FrmLogoTest, RefreshSearchesAgainAndFindsALateController)
{
    // Nothing answers: both ports are tried and the search fails.
    controllerOn = false;
    answers = {FrmError::Outcome::Ok};
    auto dialog = makeDialog();
    link->start(1, 2, 3, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return errorDialogs == 1; }, 5000));
    EXPECT_TRUE(refreshButton(*dialog)->isEnabled());
    EXPECT_EQ(bank.openAttempts(), (QStringList{"/dev/ttyS0", "/dev/ttyS1"}));

    // The controller is switched on; refresh starts a new search from port 1.
    controllerOn = true;
    units = {{1, 0x80}, {2, 0x80}};
    QTest::mouseClick(refreshButton(*dialog), Qt::LeftButton);
    EXPECT_FALSE(refreshButton(*dialog)->isEnabled());
    EXPECT_EQ(link->operatingMode, LinkMode::Search);
    EXPECT_EQ(link->pendingRequest, 1);
    EXPECT_TRUE(dialog->isWatching());

    ASSERT_TRUE(clock.advanceUntil([&] { return !dialog->isWatching(); }, 10000));
    EXPECT_EQ(errorDialogs, 1);
    EXPECT_EQ(link->portPath(), "/dev/ttyS0");
    EXPECT_EQ(link->unit(1).online, 1);
    EXPECT_EQ(link->unit(2).online, 1);
    EXPECT_EQ(link->unit(3).online, 0);
    EXPECT_EQ(dialog->progress(), 0);
}

TEST_F(FrmLogoTest, CancelEscapeAndCloseBoxEndTheProgram)
{
    auto dialog = makeDialog();
    QTest::mouseClick(dialog->findChild<PictureButton*>("2"), Qt::LeftButton);
    EXPECT_EQ(programEnds, (QList<int>{0}));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(programEnds.size(), 2);
    dialog->close();
    EXPECT_EQ(programEnds.size(), 3);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(programEnds.size(), 3) << "Enter does not end the program";
}

TEST_F(FrmLogoTest, NoControllerDialogButtonsAndTexts)
{
    FrmError ok;
    EXPECT_EQ(ok.windowTitle(), "No Conference Controller");
    saveScreenshot(ok, "error");
    for (int line = 1; line <= 4; ++line) {
        auto* label = ok.findChild<QLabel*>(QStringLiteral("IDC_STATIC_ERRCLEW%1").arg(line));
        ASSERT_NE(label, nullptr) << line;
        EXPECT_FALSE(label->text().isEmpty()) << line;
    }
    auto* okButton = ok.findChild<PictureButton*>("1");
    ASSERT_NE(okButton, nullptr);
    EXPECT_EQ(okButton->accessibleName(), "OK");
    ok.show();
    QTest::mouseClick(okButton, Qt::LeftButton);
    EXPECT_EQ(ok.outcome(), FrmError::Outcome::Ok);
    EXPECT_EQ(ok.result(), QDialog::Accepted);
    EXPECT_FALSE(ok.isVisible());

    FrmError jump;
    jump.show();
    auto* jumpButton = jump.findChild<PictureButton*>("1590");
    EXPECT_EQ(jumpButton->accessibleName(), "Continue without");
    QTest::mouseClick(jumpButton, Qt::LeftButton);
    EXPECT_EQ(jump.outcome(), FrmError::Outcome::Continue);
    EXPECT_EQ(jump.result(), QDialog::Accepted);

    FrmError closed;
    closed.show();
    closed.reject();
    EXPECT_EQ(closed.outcome(), FrmError::Outcome::Closed);
}

} // namespace
