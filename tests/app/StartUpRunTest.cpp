// The start without windows: the login first, the settings as they are after
// it, training when asked (or refused without a folder), then the search.

#include "app/StartUp.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "training/TrainingHall.h"
#include "web/WebView.h"

#include "../link/LinkPagesFixture.h"

namespace {

class StartUpRunTest : public LinkPagesTest
{
protected:
    void SetUp() override
    {
        LinkPagesTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        startUp = std::make_unique<StartUp>(*link, clock, webView);
        QObject::connect(startUp.get(), &StartUp::loginWanted, [this] { steps << "login"; });
        QObject::connect(startUp.get(), &StartUp::trainingEntered, [this] { steps << "training"; });
        QObject::connect(startUp.get(), &StartUp::trainingRefused,
                         [this](const QString& why) { steps << "refused: " + why; });
        // The status dialog follows the search: it must not have begun yet.
        QObject::connect(startUp.get(), &StartUp::searchStarting, [this] {
            steps << (link->operatingMode() == LinkMode::Search ? "search (late)" : "search");
        });
    }
    void TearDown() override
    {
        startUp.reset();
        LinkPagesTest::TearDown();
    }
    static void store(const QString& column, const QVariant& value)
    {
        ASSERT_TRUE(DbAccess::executeOnce(
            Schema::kSystemDatabase, QStringLiteral("update sysbasicset set %1 = ?").arg(column), {value}));
    }

    WebView webView;
    std::unique_ptr<StartUp> startUp;
    QStringList steps;
};

} // namespace

TEST_F(StartUpRunTest, TheSearchStartsAfterTheLoginWithTheSettingsAsTheyAreThen)
{
    store("cellnum", 12);
    store("cinnum", 2);
    store("comHigh", 3);
    store("AnswerPace", 1);
    QObject::connect(startUp.get(), &StartUp::loginWanted, [] { store("cellnum", 6); });
    startUp->run(StartUp::Mode::Controller);
    EXPECT_EQ(steps, (QStringList{"login", "search"}));
    EXPECT_EQ(link->operatingMode(), LinkMode::Search);
    EXPECT_EQ(std::tuple(link->unitCount(), link->chairCount(), link->comHigh(), link->answerDrivenPace()),
              std::tuple(6, 2, 3, true));
    EXPECT_FALSE(startUp->isTraining());
}

TEST_F(StartUpRunTest, TrainingFromTheStartWorksInASeededCopyOnTheSimulatedHall)
{
    const QString realFolder = ProgramFolder::path();
    QTemporaryDir home;
    startUp->setTrainingFolder(home.filePath("training"));
    store("cellnum", 10);
    startUp->run(StartUp::Mode::Training);
    EXPECT_EQ(steps, (QStringList{"login", "training", "search"}));
    EXPECT_EQ(ProgramFolder::path(), home.filePath("training"));
    ASSERT_TRUE(startUp->isTraining());
    EXPECT_EQ(startUp->trainingHall()->unitCount(), 10);
    // The search finds the simulated hall, not the serial ports.
    EXPECT_TRUE(clock.advanceUntil([&] { return link->onlineCount() == 10; }, 60000));
    EXPECT_TRUE(bank.openAttempts().isEmpty());
    // Entering again (the no-controller dialog's choice) changes nothing.
    EXPECT_TRUE(startUp->enterTraining());
    EXPECT_EQ(steps.size(), 3);
    ProgramFolder::set(realFolder);
}

TEST_F(StartUpRunTest, WithoutATrainingFolderTrainingIsRefusedAndTheControllerIsSearched)
{
    const QString realFolder = ProgramFolder::path();
    startUp->run(StartUp::Mode::Training);
    EXPECT_EQ(steps, (QStringList{"login", "refused: no training folder", "search"}));
    EXPECT_FALSE(startUp->isTraining());
    EXPECT_EQ(ProgramFolder::path(), realFolder);
    EXPECT_EQ(link->operatingMode(), LinkMode::Search);
}

TEST_F(StartUpRunTest, AMeetingIsHeldOnceItsSignInStoredThePresentNumber)
{
    EXPECT_FALSE(StartUp::meetingHeld());
    // A meeting prepared but not held is not enough.
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                      "insert into Mottag(MeeName, SignIn) values('Plenary', '')"));
    EXPECT_FALSE(StartUp::meetingHeld());
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "update Mottag set SignIn = '31'"));
    EXPECT_TRUE(StartUp::meetingHeld());
}
