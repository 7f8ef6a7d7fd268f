// The main window: its controls, exit, help, centring, the start-up of the
// link (login, settings, status dialog, search) and the navigation rule.

#include "app/FrmMain.h"
#include "core/LanguageTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/LineBar.h"
#include "support/Screenshot.h"
#include "ui/FrmHelp.h"
#include "ui/PictureButton.h"

#include "../link/LinkPagesFixture.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

namespace {

class FrmMainTest : public LinkPagesTest
{
protected:
    void SetUp() override
    {
        LinkPagesTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        services.startup = {QStringLiteral("0"), QStringLiteral("main.png"), QStringLiteral("logo.png")};
    }
    void TearDown() override
    {
        window.reset();
        LinkPagesTest::TearDown();
    }

    void makeWindow()
    {
        window = std::make_unique<FrmMain>(*link, services);
        window->setScreenSize([this] { return screen; });
        window->setLoginRunner([this] { ++logins; });
    }

    // Shows the window, which then hides and shows on the link's requests as in the program.
    void showFollowingTheLink()
    {
        QObject::connect(link.get(), &Link::hideMainWindow, window.get(), &QWidget::hide);
        QObject::connect(link.get(), &Link::showMainWindow, window.get(), &FrmMain::showCentred);
        window->showCentred();
    }

    static void storeSetting(const QString& column, const QVariant& value)
    {
        ASSERT_TRUE(DbAccess::executeOnce(
            Schema::kSystemDatabase, QStringLiteral("update sysbasicset set %1 = ?").arg(column), {value}));
    }

    std::unique_ptr<FrmMain> window;
    QSize screen{1920, 1080};
    int logins = 0;
};

TEST_F(FrmMainTest, CentredOnTheScreenAndWarnedWhenNarrower)
{
    EXPECT_EQ(FrmMain::centredPosition({1025, 742}), QPoint(0, -16)); // odd differences round toward zero
    makeWindow();
    window->showCentred();
    EXPECT_TRUE(prompts.take().isEmpty());
    EXPECT_EQ(window->geometry(), QRect(448, 153, 1024, 741));
    window->hide();
    screen = QSize(1023, 768);
    window->showCentred();
    EXPECT_EQ(prompts.takeTexts(),
              QStringList{"The screen is narrower than 1024 pixels; the window will not fit completely."});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FrmMainTest, ExitAsksAndHelpOpensTheShippedGuide)
{
    makeWindow();
    window->show();
    prompts.answerNext(false);
    QTest::mouseClick(window->button(FrmMain::kExitButton), Qt::LeftButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Do you want to exit the conference system?"});
    EXPECT_TRUE(programEnds.isEmpty());
    prompts.answerNext(true);
    QTest::mouseClick(window->button(FrmMain::kExitButton), Qt::LeftButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(programEnds, (QList<int>{0}));

    // The guide opens in the console's own window: no browser is needed.
    QTest::mouseClick(window->button(FrmMain::kHelpButton), Qt::LeftButton);
    auto* help = window->findChild<FrmHelp*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source(), QUrl::fromLocalFile(programFile("Help.html")));
    EXPECT_TRUE(help->browser()->toPlainText().contains("Holding a meeting"));
}

TEST_F(FrmMainTest, FirstStepsShowUntilAMeetingWasHeld)
{
    makeWindow();
    window->showCentred();
    auto* steps = window->findChild<QLabel*>("FirstSteps");
    ASSERT_NE(steps, nullptr);
    EXPECT_TRUE(steps->isVisible());
    saveScreenshot(*window, QStringLiteral("main-first-steps"));
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                      "insert into Mottag(MeeName, SignIn) values('Plenary', '31')"));
    window->showCentred();
    EXPECT_FALSE(steps->isVisible());
}

TEST_F(FrmMainTest, EnterAndEscapeEndTheWindowButEnterPressesAFocusedButton)
{
    makeWindow();
    window->show();
    QSignalSpy finished(window.get(), &QDialog::finished);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_EQ(finished.count(), 2);
    window->show();
    window->button(FrmMain::kLineCheckButton)->setFocus();
    QTest::keyClick(window->button(FrmMain::kLineCheckButton), Qt::Key_Return);
    EXPECT_EQ(finished.count(), 2);
    EXPECT_NE(window->lineCheck(), nullptr);
}

TEST_F(FrmMainTest, StartUpLogsInShowsTheStatusDialogAndComesWithTheController)
{
    storeSetting("cellnum", 6);
    makeWindow();
    window->startUp();
    EXPECT_EQ(logins, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->statusDialog()->isVisible());

    // The controller answers on port 1: the units are polled and the window comes.
    units = {{1, 0x80}, {4, 0x80}};
    ASSERT_TRUE(clock.advanceUntil([&] { return window->isVisible(); }, 10000));
    EXPECT_FALSE(window->statusDialog()->isVisible());
    clock.advance(1000);
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
    EXPECT_FALSE(window->statusDialog()->isWatching());
}

TEST_F(FrmMainTest, WithoutControllerTheOperatorMayContinue)
{
    storeSetting("comHigh", 2);
    controllerOn = false;
    makeWindow();
    window->startUp();
    int asked = 0;
    window->statusDialog()->setErrorDialogRunner([&](QWidget*) {
        ++asked;
        return FrmError::Outcome::Continue;
    });
    ASSERT_TRUE(clock.advanceUntil([&] { return asked == 1; }, 5000));
    EXPECT_FALSE(window->statusDialog()->isVisible());
    clock.advance(30); // shown by the next sequencer step
    EXPECT_TRUE(window->isVisible());
    // The search stops at the highest port of the settings.
    EXPECT_EQ(bank.openAttempts(), (QStringList{"/dev/ttyS0", "/dev/ttyS1"}));
}

TEST_F(FrmMainTest, LineCheckHidesTheMainWindowUntilItIsLeft)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(4));
    makeWindow();
    showFollowingTheLink();
    QTest::mouseClick(window->button(FrmMain::kLineCheckButton), Qt::LeftButton);
    EXPECT_TRUE(link->hideMainWindowPending()) << "the request is set before the area opens";
    ASSERT_NE(window->lineCheck(), nullptr);
    EXPECT_TRUE(window->lineCheck()->isVisible());
    EXPECT_TRUE(window->isVisible()); // hidden by the link's next step
    clock.advance(30);
    EXPECT_FALSE(window->isVisible());

    QTest::mouseClick(window->lineCheck()->findChild<PictureButton*>(FrmLink::kStartButton), Qt::LeftButton);
    clock.advance(3000);
    EXPECT_EQ(link->sequencerInterval(), 500);
    QTest::mouseClick(window->lineCheck()->findChild<PictureButton*>(FrmLink::kExitButton), Qt::LeftButton);
    clock.advance(30);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(link->sequencerInterval(), 30);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->lineCheck(), nullptr);
}

// The preparation and post-meeting hubs are modal: the main window is asked to
// hide before each opens and comes back only when the hub ends with OK.
TEST_F(FrmMainTest, AreasHideTheMainWindowAndOnlyOkBringsItBack)
{
    units = {{1, 0x80}};
    ASSERT_TRUE(connectLink(4));
    makeWindow();
    showFollowingTheLink();

    QStringList opened;
    int result = QDialog::Accepted;
    window->setAreaRunner([&](QDialog& area) {
        opened.append(area.metaObject()->className());
        EXPECT_TRUE(link->hideMainWindowPending()) << "the request is set before the area runs";
        clock.advance(30);
        EXPECT_FALSE(window->isVisible());
        return result;
    });
    for (int button : {FrmMain::kPreparationButton, FrmMain::kAfterMeetingButton}) {
        QTest::mouseClick(window->button(button), Qt::LeftButton);
        clock.advance(30);
        EXPECT_TRUE(window->isVisible()) << button;
    }
    EXPECT_EQ(opened, (QStringList{"FrmMeeOut", "FrmMdisposal"}));

    result = QDialog::Rejected; // another result leaves the showing to the area
    QTest::mouseClick(window->button(FrmMain::kPreparationButton), Qt::LeftButton);
    clock.advance(60);
    EXPECT_EQ(opened.size(), 3);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FrmMainTest, ALostLineIsToldOnTheMainWindowAndInTheOpenArea)
{
    units = {{1, 0x80}, {2, 0x80}, {3, 0x80}, {4, 0x80}};
    ASSERT_TRUE(connectLink(4));
    makeWindow();
    showFollowingTheLink();
    auto* mainBar = window->findChild<LineBar*>(QLatin1String(LineBar::kObjectName));
    ASSERT_NE(mainBar, nullptr);
    EXPECT_FALSE(mainBar->isVisible());
    bank.refuse(QStringLiteral("/dev/ttyS0"));

    QStringList told;
    window->setAreaRunner([&](QDialog& area) {
        area.show();
        auto* bar = area.findChild<LineBar*>(QLatin1String(LineBar::kObjectName));
        EXPECT_NE(bar, nullptr);
        if (MemoryPipe* pipe = bank.openPipe(QStringLiteral("/dev/ttyS0")))
            pipe->breakDown(QStringLiteral("Input/output error"));
        clock.advance(LinkTiming::kFastPaceMs);
        if (bar && bar->isVisible())
            told.append(bar->text());
        saveScreenshot(area, QStringLiteral("line-lost-area-") + LanguageTable::file().section('/', -1));
        return int(QDialog::Rejected);
    });
    for (const char* code : {"1", "2", "0"}) {
        useLanguage(QLatin1String(code));
        QTest::mouseClick(window->button(FrmMain::kPreparationButton), Qt::LeftButton);
    }
    ASSERT_EQ(told.size(), 3) << "the open area says it at once";
    EXPECT_TRUE(told[0].contains(QLatin1String("/dev/ttyS0"))) << told[0].toStdString();
    EXPECT_NE(told[0], told[1]);
    link->requestShowMainWindow();
    clock.advance(LinkTiming::kFastPaceMs);
    EXPECT_TRUE(mainBar->isVisible()) << "and the main window when it comes back";
    saveScreenshot(*window, QStringLiteral("line-lost-main"));
}

TEST_F(FrmMainTest, BackgroundPictureIsDrawnAndAMissingOneIsNot)
{
    makeWindow();
    const QImage picture(programFile("System/photo/main.png"));
    ASSERT_EQ(picture.size(), QSize(1024, 741));
    // A point of the picture that no control covers.
    const QPoint open(20, 20);
    EXPECT_EQ(window->grab().toImage().pixelColor(open), picture.pixelColor(open));

    services.startup.mainPicture = QStringLiteral("gone.png");
    FrmMain without(*link, services);
    const QImage plain = without.grab().toImage();
    EXPECT_EQ(plain.pixelColor(open), without.palette().color(QPalette::Window));
    EXPECT_TRUE(prompts.pending().isEmpty()) << "a missing picture is not reported";
}

} // namespace
