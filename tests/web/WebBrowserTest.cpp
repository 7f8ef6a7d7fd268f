// The web view in a real browser: the console rehearses in training mode (virtual
// time), headless Chromium opens /hall with the viewing code, and the page shows
// the same figures and the same speaker as the hall screen.

#include "data/DbAccess.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "speak/FrmMootset.h"
#include "speak/SeatLayout.h"
#include "training/FrmHall.h"
#include "ui/PictureButton.h"
#include "web/WebView.h"

#include "../meeting/MeetingTestData.h"
#include "Chromium.h"
#include "support/MainWindowTest.h"
#include "support/MemoryPipe.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int kUnits = 10;
const QString kMeeting = QStringLiteral("Council");

// What the hall screen's panel draws, as "label=value" lines.
QString hallFigures(const ScreenPanelState& state)
{
    QStringList lines;
    if (state.kind == PanelKind::Table)
        for (const TableRow& row : tableRows(state))
            lines.append(row.label + QLatin1Char('=') + row.value);
    else
        for (const ChartItem& item : state.kind == PanelKind::Pie ? pieItems(state) : histogramItems(state))
            lines.append(item.label + QLatin1Char('=') + item.valueText);
    return lines.join(QLatin1Char('\n'));
}

const QString kPageFigures = QStringLiteral(
    "Array.from(document.querySelectorAll('#view .figure')).map(f => f.dataset.label + '=' + f.dataset.value)"
    ".join('\\n')");

class WebBrowserTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(home.isValid());
        useLanguage(QStringLiteral("1"));
        // An installation with discussion: the meeting hub has the speaking page.
        services.startup.function = QStringLiteral("2");
        storeLinkSettings(kUnits, 1, 1, 2);
        // The speaking page needs a seat layout.
        ASSERT_TRUE(SeatLayout::grid(kUnits).save(programFile(QStringLiteral("System/seat.ini"))));
        ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                          QStringLiteral("update sysbasicset set SeatYesORNo = 'yes'")));
        MeetingTestData::addMeeting(kMeeting, kUnits, kUnits);
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("20260301100001"));
        chooseFirstMeeting();
    }
    void pressKey(int key, const QString& units)
    {
        findWidget<QComboBox>(window->hallWindow(), FrmHall::kKey)->setCurrentIndex(key);
        hallAct(units, FrmHall::kPress);
    }
    // Pictures for people to look at, when CONSOLE_SCREENSHOT_DIR names a folder.
    void savePage(Chromium& browser, const QString& page, bool transparent = false)
    {
        const QString folder = qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        browser.call(QStringLiteral("Page.navigate"),
                     {{QStringLiteral("url"), window->webView().server().pageUrl(page).toString()}});
        if (transparent)
            browser.call(QStringLiteral("Emulation.setDefaultBackgroundColorOverride"),
                         {{QStringLiteral("color"), QJsonObject{{QStringLiteral("r"), 0},
                                                                {QStringLiteral("g"), 0},
                                                                {QStringLiteral("b"), 0},
                                                                {QStringLiteral("a"), 0}}}});
        for (const auto& [width, height, name] :
             {std::tuple{390, 844, "phone"}, std::tuple{1920, 1080, "1080p"}}) {
            browser.setViewport(width, height, width < 500);
            QTest::qWait(600);
            const QImage shot = browser.screenshot();
            const QString file = QStringLiteral("%1/web-%2-%3").arg(folder, page, QLatin1String(name));
            shot.save(file + QStringLiteral(".png"));
            if (!transparent)
                continue;
            // The same over a chequered ground, so a viewer that puts white behind a PNG shows what is clear.
            QImage ground(shot.size(), QImage::Format_RGB32);
            QPainter painter(&ground);
            for (int y = 0; y < ground.height(); y += 20)
                for (int x = 0; x < ground.width(); x += 20)
                    painter.fillRect(x, y, 20, 20,
                                     (x + y) / 20 % 2 ? QColor(90, 90, 90) : QColor(160, 160, 160));
            painter.drawImage(0, 0, shot);
            painter.end();
            ground.save(file + QStringLiteral("-chequered.png"));
        }
    }

    QTemporaryDir home;
    MemoryPortBank silentLine;
};

TEST_F(WebBrowserTest, TheHallPageShowsTheHallScreensVoteFiguresAndSpeaker)
{
    createWindow(std::make_unique<Link>(silentLine.factory()));
    window->setTrainingFolder(home.filePath("training"));
    window->startUp(FrmMain::Start::Training);
    ASSERT_TRUE(clock.advanceUntil([&] { return window->isVisible(); }, 60000));
    prompts.takeTexts();
    clock.advance(600);
    QTest::mouseClick(findWidget<QCheckBox>(window->hallWindow(), FrmHall::kLively), Qt::LeftButton);

    window->webView().apply(true, 0, QString());
    const WebServer& server = window->webView().server();
    ASSERT_TRUE(server.isRunning()) << window->webView().lastError().toStdString();
    ASSERT_EQ(server.address(), QHostAddress(QHostAddress::LocalHost));
    Chromium browser;
    QString error;
    // No skip: a browser that cannot start fails the test.
    ASSERT_TRUE(browser.start(server.pageUrl(QStringLiteral("hall")), &error)) << error.toStdString();

    bool held = false;
    window->setAreaRunner([&](QDialog& area) {
        auto* hub = qobject_cast<FrmConmee*>(&area);
        if (!hub)
            return int(QDialog::Rejected);
        VoteSession& vote = signInAndStartVote(*hub, QStringLiteral("1-7"));
        pressKey(0, QStringLiteral("1-4"));
        pressKey(1, QStringLiteral("5"));
        pressKey(2, QStringLiteral("6"));
        clock.advance(3000);

        // Mid-vote, the page shows what the hall screen shows, row for row.
        const ScreenPanelState& hall = window->secondaryScreen()->panel()->state();
        const QString expected = hallFigures(hall);
        EXPECT_TRUE(expected.contains(QStringLiteral("=4\n")) && expected.contains(QStringLiteral("=1\n")))
            << expected.toStdString();
        QString shown;
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return (shown = browser.evaluate(kPageFigures)) == expected; }, 10000))
            << "page:\n"
            << shown.toStdString() << "\nhall:\n"
            << expected.toStdString();
        savePage(browser, QStringLiteral("hall"));
        savePage(browser, QStringLiteral("overlay"), true);

        clickButton(hub, FrmMeeVote::kEndButton);
        EXPECT_TRUE(clock.advanceUntil([&] { return vote.state() == VoteSession::State::Idle; }, 30000));

        // A delegate speaks: the page names the same delegate as the hall screen.
        browser.call(QStringLiteral("Page.navigate"),
                     {{QStringLiteral("url"), server.pageUrl("hall").toString()}});
        hub->showSpeaking();
        emit findWidget<QComboBox>(hub, FrmMootset::kModeCombo)->activated(0);
        clickButton(hub, FrmMootset::kPromptCheck);
        hallAct("3", FrmHall::kMicOn);
        EXPECT_TRUE(clock.advanceUntil([&] { return hall.line1.contains(QStringLiteral("3")); }, 10000))
            << hall.line1.toStdString();
        const QString lineScript =
            QStringLiteral("(document.querySelector('#view .line') || {}).textContent || ''");
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return (shown = browser.evaluate(lineScript)) == hall.line1; }, 10000))
            << shown.toStdString() << " / " << hall.line1.toStdString();
        // The chair's page lists the open microphone by its seat number and name.
        browser.call(QStringLiteral("Page.navigate"),
                     {{QStringLiteral("url"), server.pageUrl("chair").toString()}});
        const QString micScript = QStringLiteral(
            "Array.from(document.querySelectorAll('#view .microphone')).map(m => m.textContent).join('|')");
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (shown = browser.evaluate(micScript)) == QLatin1String("3 Delegate 3"); }, 10000))
            << shown.toStdString();
        savePage(browser, QStringLiteral("chair"));
        prompts.answerNext(true);
        clickButton(hub, FrmConmee::kExitButton);
        EXPECT_EQ(prompts.takeTexts().size(), 1);
        held = true;
        return hub->result();
    });
    QTest::mouseClick(window->button(FrmMain::kMeetingButton), Qt::LeftButton);
    ASSERT_TRUE(held);
}

} // namespace
