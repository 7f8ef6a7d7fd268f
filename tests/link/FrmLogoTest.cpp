// The connection status dialog and the no-controller dialog; the watch's
// timing is checked in ConnectionWatchTest.

#include "link/FrmLogo.h"
#include "LinkPagesFixture.h"
#include "link/FrmError.h"
#include "support/Screenshot.h"
#include "ui/PictureButton.h"

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
    static PictureButton* button(QWidget& dialog, const char* name)
    {
        return dialog.findChild<PictureButton*>(name);
    }

    QList<FrmError::Outcome> answers;
    int errorDialogs = 0;
};

TEST_F(FrmLogoTest, ShowsTheLogoAndTheProgress)
{
    auto dialog = makeDialog(QStringLiteral("logo.png"));
    const QImage logo(programFile("System/photo/logo.png"));
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(dialog->grab().toImage().pixelColor(10, 10), logo.pixelColor(10, 10));
    EXPECT_FALSE(button(*dialog, FrmLogo::kRefreshButton)->isEnabled());
    EXPECT_FALSE(button(*dialog, FrmLogo::kHiddenOkButton)->isVisible());
    clock.advance(3 * LinkTiming::kStatusProgressMs);
    EXPECT_EQ(dialog->findChild<QProgressBar*>(FrmLogo::kProgressBar)->value(), 30);
    saveScreenshot(*dialog, "logo");
}

// Continue is followed to the main window in FrmMainTest.
TEST_F(FrmLogoTest, AFailedSearchAnsweredOkOffersARefreshAndClosedChangesNothing)
{
    controllerOn = false;
    answers = {FrmError::Outcome::Closed, FrmError::Outcome::Ok};
    auto dialog = makeDialog();
    link->start(1, 2, 3, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return errorDialogs == 1; }, 5000));
    EXPECT_FALSE(button(*dialog, FrmLogo::kRefreshButton)->isEnabled());
    EXPECT_TRUE(dialog->isVisible());

    link->request(LinkMode::Search);
    ASSERT_TRUE(clock.advanceUntil([&] { return errorDialogs == 2; }, 5000));
    EXPECT_TRUE(button(*dialog, FrmLogo::kRefreshButton)->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(link->showMainWindowRequest, 0);

    QTest::mouseClick(button(*dialog, FrmLogo::kRefreshButton), Qt::LeftButton);
    EXPECT_FALSE(button(*dialog, FrmLogo::kRefreshButton)->isEnabled());
    EXPECT_TRUE(dialog->isWatching());
    EXPECT_EQ(link->operatingMode, LinkMode::Search);
    clock.advance(1000);
    EXPECT_EQ(errorDialogs, 3) << "asked once per failed search";
}

TEST_F(FrmLogoTest, CancelEscapeAndCloseBoxEndTheProgram)
{
    auto dialog = makeDialog();
    QTest::mouseClick(button(*dialog, FrmLogo::kCancelButton), Qt::LeftButton);
    EXPECT_EQ(programEnds, (QList<int>{0}));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(programEnds.size(), 2);
    dialog->close();
    EXPECT_EQ(programEnds.size(), 3);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(programEnds.size(), 3) << "Enter does not end the program";
}

TEST_F(FrmLogoTest, NoControllerDialogOutcomes)
{
    FrmError ok;
    ok.show();
    saveScreenshot(ok, "error");
    QTest::mouseClick(button(ok, FrmError::kOkButton), Qt::LeftButton);
    EXPECT_EQ(ok.outcome(), FrmError::Outcome::Ok);
    EXPECT_EQ(ok.result(), QDialog::Accepted);
    EXPECT_FALSE(ok.isVisible());

    FrmError jump;
    jump.show();
    QTest::mouseClick(button(jump, FrmError::kContinueButton), Qt::LeftButton);
    EXPECT_EQ(jump.outcome(), FrmError::Outcome::Continue);
    EXPECT_EQ(jump.result(), QDialog::Accepted);

    FrmError closed;
    closed.show();
    closed.reject();
    EXPECT_EQ(closed.outcome(), FrmError::Outcome::Closed);
}

} // namespace
