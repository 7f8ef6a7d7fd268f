// Training as the operator meets it: no controller answers, the no-controller
// dialog offers a rehearsal, and a whole meeting runs on the hall simulated
// inside the console, in virtual time. What the Hall window pressed is what the
// training folder stores, and the real program folder keeps every byte.

#include "core/ProgramFolder.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "screen/FrmScr.h"
#include "training/FrmHall.h"
#include "training/TrainingHall.h"
#include "ui/PictureButton.h"
#include "ui/TrainingBand.h"

#include "../meeting/MeetingTestData.h"
#include "support/MainWindowTest.h"
#include "support/MemoryPipe.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace {

constexpr int kUnits = 10;
const QString kMeeting = QStringLiteral("Council");
const QString kMotionKey = QStringLiteral("20260301100001");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TrainingTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(home.isValid());
        storeLinkSettings(kUnits, 1, 1, 2);
        MeetingTestData::addMeeting(kMeeting, kUnits, kUnits);
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, kMotionKey);
        realFolder = ProgramFolder::path();
        chooseFirstMeeting();
    }
    // The console starts on a line where nothing answers (or straight into training).
    void startConsole(FrmMain::Start start)
    {
        createWindow(std::make_unique<Link>(silentLine.factory()));
        window->setTrainingFolder(home.filePath("training"));
        window->startUp(start);
        window->statusDialog()->setErrorDialogRunner([](QWidget*) { return FrmError::Outcome::Training; });
        ASSERT_TRUE(clock.advanceUntil([&] { return window->isVisible(); }, 60000));
        const QStringList said = prompts.takeTexts();
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].contains(QDir::toNativeSeparators(home.filePath("training"))))
            << said[0].toStdString();
        clock.advance(600); // the start-up's ControlEnd
    }
    FrmHall& hallWindow() { return *window->hallWindow(); }
    static bool banded(QWidget& window)
    {
        auto* band = window.findChild<TrainingBand*>();
        return band && band->isVisibleTo(&window) && !band->text().isEmpty();
    }

    QTemporaryDir home;
    QString realFolder;
    MemoryPortBank silentLine;
};

TEST_F(TrainingTest, RehearsalStoresWhatTheHallPressedAndLeavesTheRealMeetingAlone)
{
    const QByteArray realSystem = bytesOf(realFolder + "/System/SystemData.db");
    const QByteArray realMeeting = bytesOf(realFolder + "/Data/Council.db");
    ASSERT_FALSE(realMeeting.isEmpty());

    startConsole(FrmMain::Start::Controller);
    ASSERT_TRUE(window->isTraining());
    EXPECT_TRUE(banded(*window)); // entered after start-up, not built with the window
    EXPECT_FALSE(window->secondaryScreen()->cornerNote().isEmpty());
    // The operator presses every key here: the hall stops acting by itself.
    QTest::mouseClick(findWidget<QCheckBox>(&hallWindow(), FrmHall::kLively), Qt::LeftButton);
    ASSERT_FALSE(window->trainingHall()->isLively());

    bool held = false;
    window->setAreaRunner([&](QDialog& area) {
        auto* hub = qobject_cast<FrmConmee*>(&area);
        EXPECT_NE(hub, nullptr);
        if (!hub)
            return int(QDialog::Rejected);
        VoteSession& vote = signInAndStartVote(*hub, QStringLiteral("1-7"));
        hallAct("1-4", FrmHall::kPress);
        findWidget<QComboBox>(&hallWindow(), FrmHall::kKey)->setCurrentIndex(1);
        hallAct("5", FrmHall::kPress);
        findWidget<QComboBox>(&hallWindow(), FrmHall::kKey)->setCurrentIndex(2);
        hallAct("6", FrmHall::kPress);
        clock.advance(3000);
        clickButton(hub, FrmMeeVote::kEndButton);
        EXPECT_TRUE(clock.advanceUntil([&] { return vote.state() == VoteSession::State::Idle; }, 30000));

        prompts.answerNext(true);
        clickButton(hub, FrmConmee::kExitButton);
        EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave this meeting?"});
        held = true;
        return hub->result();
    });
    QTest::mouseClick(window->button(FrmMain::kMeetingButton), Qt::LeftButton);
    ASSERT_TRUE(held);

    // The real program folder kept every byte; the training folder has the rehearsal:
    // units 1-7 present, and the votes as pressed.
    EXPECT_EQ(bytesOf(realFolder + "/System/SystemData.db"), realSystem);
    EXPECT_EQ(bytesOf(realFolder + "/Data/Council.db"), realMeeting);
    ASSERT_EQ(ProgramFolder::path(), QDir::cleanPath(home.filePath("training")));
    const QStringList marks = MeetingTestData::column("select sign from Employees order by CellNo + 0",
                                                      "sign", Schema::meetingDatabasePath(kMeeting));
    EXPECT_EQ(marks, QStringList(7, "Signed in") + QStringList(3, "Absent"));
    EXPECT_TRUE(MeetingTestData::storedMotion(kMeeting, kMotionKey).result.startsWith("1:10:7:4:1:"))
        << MeetingTestData::storedMotion(kMeeting, kMotionKey).result.toStdString();

    EXPECT_TRUE(programEnds.isEmpty());
}

TEST_F(TrainingTest, BandMarksTheMainWindowAndEveryHubInEveryLanguage)
{
    for (const char* code : {"0", "1", "2"}) {
        useLanguage(QString::fromLatin1(code));
        ProgramFolder::set(realFolder);
        startConsole(FrmMain::Start::Training);
        EXPECT_TRUE(banded(*window)) << code;
        saveScreenshot(*window, QStringLiteral("training-main-%1").arg(code));
        saveScreenshot(hallWindow(), QStringLiteral("training-hall-%1").arg(code));
        window->secondaryScreen()->showPanel();
        saveScreenshot(*window->secondaryScreen(), QStringLiteral("training-screen-%1").arg(code));
        QStringList hubs;
        window->setAreaRunner([&](QDialog& hub) {
            EXPECT_TRUE(banded(hub)) << hub.objectName().toStdString() << " " << code;
            hub.show();
            saveScreenshot(hub, QStringLiteral("training-%1-%2").arg(hub.objectName(), code));
            hubs << hub.objectName();
            return int(QDialog::Accepted);
        });
        for (int button : {FrmMain::kPreparationButton, FrmMain::kMeetingButton, FrmMain::kAfterMeetingButton,
                           FrmMain::kSettingsButton})
            QTest::mouseClick(window->button(button), Qt::LeftButton);
        EXPECT_EQ(hubs, (QStringList{"FrmMeeOut", "FrmConmee", "FrmMdisposal", "FrmSysset"})) << code;
        QTest::mouseClick(window->button(FrmMain::kLineCheckButton), Qt::LeftButton);
        ASSERT_NE(window->lineCheck(), nullptr);
        EXPECT_TRUE(banded(*window->lineCheck())) << code;
        saveScreenshot(*window->lineCheck(), QStringLiteral("training-FrmLink-%1").arg(code));
        window->lineCheck()->leave();
        window.reset();
        link.reset();
    }
}

TEST_F(TrainingTest, LanguageChangeReachesTheBandTheHallWindowAndTheHallScreen)
{
    startConsole(FrmMain::Start::Training);
    findWidget<QComboBox>(&hallWindow(), FrmHall::kNoise)->setCurrentIndex(1);
    const QPoint place = hallWindow().pos();
    useLanguage(QStringLiteral("2"));
    window->applyTexts(); // what the settings hub's language change calls
    EXPECT_TRUE(window->findChild<TrainingBand*>()->text().startsWith(QStringLiteral("ENSAIO")));
    EXPECT_EQ(hallWindow().windowTitle(), QStringLiteral("Sala (ensaio)"));
    EXPECT_TRUE(hallWindow().isVisible());
    EXPECT_EQ(hallWindow().pos(), place);
    // The window made again shows the noise the hall still has.
    EXPECT_EQ(findWidget<QComboBox>(&hallWindow(), FrmHall::kNoise)->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(window->trainingHall()->noise(), 0.01);
    saveScreenshot(*window, QStringLiteral("training-main-after-change-2"));
}

} // namespace
