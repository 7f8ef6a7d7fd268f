// A delegate opens his microphone at the unit, against the simulated
// controller on a real pseudo-terminal with real timers: the speaking page's
// map shows it open and the hall screen names him.

#include "../meeting/MeetingTestData.h"
#include "link/Link.h"
#include "meeting/FrmConmee.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "speak/FrmMootset.h"
#include "speak/SeatLayout.h"
#include "speak/SeatMap.h"
#include "support/ConsoleTest.h"
#include "support/SimulatorProcess.h"
#include "support/WidgetFinder.h"

#include <QComboBox>

namespace {

constexpr int kUnits = 20;

class SpeakingEndToEnd : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        installTimers(nullptr); // real time: the bytes cross a real terminal
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        meeting = MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits);
        ASSERT_TRUE(SeatLayout::grid(kUnits).save(programFile(QStringLiteral("System/seat.ini"))));
        ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                          QStringLiteral("update sysbasicset set SeatYesORNo = 'yes'")));
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, kUnits, 1, m_folder.filePath("unitsim.log")));
    }

    MeetingRecord meeting;
    SimulatorProcess simulator;
};

TEST_F(SpeakingEndToEnd, MicrophoneOpenedAtTheUnitIsShownOnTheMapAndNamedOnTheHallScreen)
{
    Link link;
    link.setPortOverrides({{1, simulator.terminal()}});
    link.start(1, 1, kUnits, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.received().endsWith(Commands::kControlEnd); }, 15000));

    FrmScr screen;
    screen.loadSettings();
    MeetingSessions meetings(link, programTimers());
    FrmConmee hub(link, programTimers(), screen, meetings, QStringLiteral("0"));
    hub.openMeeting(meeting);
    hub.show();
    hub.showSpeaking();
    emit findWidget<QComboBox>(&hub, FrmMootset::kModeCombo)->activated(0);
    clickButton(&hub, FrmMootset::kPromptCheck);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return simulator.received().endsWith(Commands::kSpeechModeFirst); }, 5000));

    ASSERT_TRUE(simulator.act(QStringLiteral("mic 12 on")));
    SeatMap& map = *hub.speakPage()->seatMap();
    const QPoint tile = map.seats().seat(12).button.topLeft() + QPoint(6, 36);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return map.grab().toImage().pixelColor(tile) == SeatPainter::stateColour(SeatState::MicOpen); },
        5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return screen.panel()->state().line1 == QStringLiteral("Delegate 12 is speaking"); }, 5000));
    link.stop();
}

} // namespace
