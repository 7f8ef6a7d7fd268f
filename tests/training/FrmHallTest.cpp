// The Hall window: the operator acts as the delegates, within the hall only.

#include "training/FrmHall.h"
#include "training/TrainingHall.h"

#include "link/Commands.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

namespace {

class FrmHallTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        hall = std::make_unique<TrainingHall>(12, 1, clock);
        window = std::make_unique<FrmHall>(*hall);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        hall.reset();
        ConsoleTest::TearDown();
    }
    void act(const QString& units, const char* button)
    {
        auto* edit = findWidget<QLineEdit>(window.get(), FrmHall::kUnits);
        edit->clear();
        QTest::keyClicks(edit, units);
        clickButton(window.get(), button);
    }
    const SimUnit& unit(int n) { return hall->model().unit(n); }

    std::unique_ptr<TrainingHall> hall;
    std::unique_ptr<FrmHall> window;
};

TEST_F(FrmHallTest, RefusesUnitsOutsideTheHallAndActsOnTheOnesInIt)
{
    hall->model().receive(Commands::kSignInStart);
    // Which lists are refused is TrainingHallTest's; here that the refusal is told and nothing pressed.
    act("5-13", FrmHall::kSignIn);
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Type units from 1 to 12, for example 1-30 or 3,7,9."});
    for (int n = 1; n <= 12; ++n)
        EXPECT_FALSE(unit(n).signInKey) << n;

    act("2-4", FrmHall::kSignIn);
    EXPECT_TRUE(unit(2).signInKey && unit(3).signInKey && unit(4).signInKey);
    EXPECT_FALSE(unit(5).signInKey);

    hall->model().receive(0xF75507); // a vote opens
    findWidget<QComboBox>(window.get(), FrmHall::kKey)->setCurrentIndex(2);
    act("5,7", FrmHall::kPress);
    EXPECT_EQ(unit(5).voteKeys, 0x04);
    EXPECT_EQ(unit(7).voteKeys, 0x04);

    act("6", FrmHall::kMicOn);
    EXPECT_TRUE(unit(6).micOpen);
    act("6", FrmHall::kMicOff);
    EXPECT_FALSE(unit(6).micOpen);
    act("8", FrmHall::kOffline);
    EXPECT_FALSE(unit(8).present);
    act("8", FrmHall::kOnline);
    EXPECT_TRUE(unit(8).present);

    findWidget<QComboBox>(window.get(), FrmHall::kNoise)->setCurrentIndex(2);
    EXPECT_DOUBLE_EQ(hall->noise(), 0.05);
    QTest::mouseClick(findWidget<QCheckBox>(window.get(), FrmHall::kLively), Qt::LeftButton);
    EXPECT_TRUE(hall->isLively());
}

TEST_F(FrmHallTest, LeavingAsksAndWarnsWhileAVoteIsOpen)
{
    QSignalSpy left(window.get(), &FrmHall::leaveRequested);
    hall->model().receive(0xF75507);
    clickButton(window.get(), FrmHall::kLeave); // answered No
    EXPECT_EQ(prompts.takeTexts(),
              QStringList{"A sign-in or vote is still running in the rehearsal. Close the "
                          "console anyway? It will not be finished."});
    EXPECT_EQ(left.count(), 0);

    hall->model().receive(Commands::kVoteEnd);
    prompts.answerNext(true);
    window->close(); // the close box is leaving too
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave training and close the console?"});
    EXPECT_EQ(left.count(), 1);
}

} // namespace
