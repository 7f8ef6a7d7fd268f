// The connection status dialog and the no-controller dialog; the watch's
// timing is checked in ConnectionWatchTest.

#include "link/FrmLogo.h"
#include "LinkPagesFixture.h"
#include "link/FrmError.h"
#include "ui/PictureButton.h"

#include <QTest>

namespace {

class FrmLogoTest : public LinkPagesTest
{
protected:
    // The dialog with its no-controller dialog answered from `answers`.
    std::unique_ptr<FrmLogo> makeDialog()
    {
        auto dialog = std::make_unique<FrmLogo>(*link, clock, QString());
        dialog->setErrorDialogRunner([this](QWidget*) {
            ++errorDialogs;
            return answers.isEmpty() ? FrmError::Outcome::Closed : answers.takeFirst();
        });
        dialog->show();
        return dialog;
    }
    PictureButton* refresh(QWidget& dialog)
    {
        return dialog.findChild<PictureButton*>(FrmLogo::kRefreshButton);
    }

    QList<FrmError::Outcome> answers;
    int errorDialogs = 0;
};

// Continue is followed to the main window in FrmMainTest.
TEST_F(FrmLogoTest, AFailedSearchAnsweredOkOffersARefreshAndClosedChangesNothing)
{
    controllerOn = false;
    answers = {FrmError::Outcome::Closed, FrmError::Outcome::Ok};
    auto dialog = makeDialog();
    link->start(1, 2, 3, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return errorDialogs == 1; }, 5000));
    EXPECT_FALSE(refresh(*dialog)->isEnabled());

    link->request(LinkMode::Search);
    ASSERT_TRUE(clock.advanceUntil([&] { return errorDialogs == 2; }, 5000));
    EXPECT_TRUE(refresh(*dialog)->isEnabled());
    EXPECT_FALSE(link->showMainWindowPending());

    QTest::mouseClick(refresh(*dialog), Qt::LeftButton);
    EXPECT_FALSE(refresh(*dialog)->isEnabled());
    EXPECT_EQ(link->operatingMode(), LinkMode::Search);
    clock.advance(1000);
    EXPECT_EQ(errorDialogs, 3) << "asked once per failed search";
}

TEST_F(FrmLogoTest, CancelEscapeAndCloseBoxEndTheProgram)
{
    auto dialog = makeDialog();
    QTest::mouseClick(dialog->findChild<PictureButton*>(FrmLogo::kCancelButton), Qt::LeftButton);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    dialog->close();
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(programEnds, (QList<int>{0, 0, 0})) << "Enter does not end the program";
}

} // namespace
