#include "MeetingHubFixture.h"

#include "screen/ScreenPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>

namespace {

class FrmManCheTest : public MeetingHubFixture
{
protected:
    QString shown(const char* name) { return child<QLabel>(name)->text(); }
};

} // namespace

TEST_F(FrmManCheTest, SignInFromThePageButtonsShowsTheFiguresAndStoresTheAttendance)
{
    openCouncil();
    collect(QStringLiteral("signin 1-30"));
    EXPECT_EQ(shown(FrmManChe::kAbsent), "10");
    EXPECT_EQ(shown(FrmManChe::kQuorum), "Quorum reached");
    EXPECT_EQ(page().gridText(30, 2), "Present");
    EXPECT_EQ(page().gridText(31, 2), "-----");
    EXPECT_EQ(screen->panel()->state().values.mid(0, 3), (QStringList{"40", "30", "10"}));
    // From End to ControlEnd the page says why everything waits.
    auto* progress = child<QProgressBar>(FrmManChe::kProgress);
    click(FrmManChe::kEndButton);
    EXPECT_EQ(progress->text(), "Reading the last answers…");
    ASSERT_TRUE(reach(SignInSession::State::Idle));
    EXPECT_NE(progress->text(), "Reading the last answers…");
    EXPECT_TRUE(child<QWidget>(FrmManChe::kStartButton)->isEnabled());
}

TEST_F(FrmManCheTest, ManualSignInKeepsDigitsAndSendsOnlyForAUnitThatExists)
{
    openCouncil();
    collect(QStringLiteral("signin 1-2"));
    endSignIn();
    bank.clearSent();
    auto* edit = child<QLineEdit>(FrmManChe::kUnitEdit);
    // Letters are dropped as they are typed; 0, unitCount + 1 and nothing send nothing.
    for (const char* typed : {"x4y1", "0", "", "7"}) {
        edit->clear();
        QTest::keyClicks(edit, typed);
        if (QString(typed) == "x4y1") {
            EXPECT_EQ(edit->text(), "41");
        }
        click(FrmManChe::kUnitButton);
        clock.advance(500);
    }
    EXPECT_EQ(bank.sentWords(), (QList<quint32>{Commands::pollWord(7), 0xF30007}));
    EXPECT_EQ(page().gridText(7, 2), "Present");
    EXPECT_EQ(shown(FrmManChe::kPresent), "3");
    // Its arrival is stored at once, with its event.
    EXPECT_EQ(column("select CellNo || ' ' || how as r from SignInTime where how = 'manual'", "r"),
              QStringList{"7 manual"});
    EXPECT_EQ(column("select detail from EventLog where kind = 'signin-unit'", "detail").value(2),
              "unit 7 manual");
}

TEST_F(FrmManCheTest, FullDiskRefusesTheStartAndHoldsAnEndedSignInUntilTryAgainStoresIt)
{
    openCouncil();
    {
        MeetingTestData::FullDisk full;
        click(FrmManChe::kStartButton);
        clock.advance(3000);
    }
    EXPECT_EQ(session().state(), SignInSession::State::Idle);
    const QStringList refused = prompts.takeTexts();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(
        refused[0].startsWith("The sign-in was not started: the meeting database cannot be written ("))
        << refused[0].toStdString();
    EXPECT_TRUE(bank.sentWords().isEmpty());

    collect(QStringLiteral("signin 1-30"));
    std::optional<MeetingTestData::FullDisk> full(std::in_place);
    {
        // Try again while the disk is still full, then again once space was freed.
        MeetingTestData::AnsweringPrompter operatorAnswers(prompts, [&](int question) {
            if (question == 1)
                full.reset();
            return true;
        });
        endSignIn();
        ASSERT_EQ(operatorAnswers.texts.size(), 2);
        for (const QString& text : operatorAnswers.texts)
            EXPECT_TRUE(text.startsWith("The attendance was NOT stored: ")) << text.toStdString();
    }
    EXPECT_FALSE(session().isHeld());
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "30");
    EXPECT_EQ(column("select count(*) as n from Employees where sign = 'Signed in'", "n"), QStringList{"30"});
    EXPECT_FALSE(SignInJournal::find(Schema::meetingDatabasePath(meeting.name)));
}

TEST_F(FrmManCheTest, GridShowsEveryUnitUpTo249InTheDesignedOrder)
{
    addMeeting(QStringLiteral("Assembly"), 249, 249);
    connectHall(249);
    openHub();
    auto* grid = child<QTableWidget>(FrmManChe::kGrid);
    // Unit 20 opens the second group; unit 249 is in row 2 of the fourteenth.
    EXPECT_EQ(grid->item(0, 4)->text(), "20");
    QTableWidgetItem* last = grid->item(1, 1 + 13 * 3);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->text(), "249");
    EXPECT_EQ(grid->item(1, 2 + 13 * 3)->text(), "Delegate 249");
    EXPECT_EQ(grid->item(2, 1 + 13 * 3), nullptr);
    grid->scrollToItem(last);
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualItemRect(last)));
}

TEST_F(FrmManCheTest, TheSignInOutlivesTheHubAndASecondOneKeepsGridFiguresListsAndHallInStep)
{
    openCouncil();
    collect(QStringLiteral("signin 1-30"));
    endSignIn();
    // Leave and open the hub again, as the program does around the seat layout editor.
    prompts.answerNext(true);
    click(FrmConmee::kExitButton);
    prompts.take();
    hub.reset();
    openHub();
    EXPECT_EQ(shown(FrmManChe::kPresent), "30");
    EXPECT_EQ(page().gridText(30, 2), "Present");

    collect(QStringLiteral("signin 3-40"));
    endSignIn();
    int marked = 0;
    for (int unit = 1; unit <= 40; ++unit)
        marked += page().gridText(unit, 2) == "Present" ? 1 : 0;
    EXPECT_EQ(marked, 38);
    EXPECT_EQ(shown(FrmManChe::kPresent), "38");
    EXPECT_EQ(shown(FrmManChe::kAbsent), "2");
    EXPECT_EQ(session().names(SignInCount::NameList::Absent), (QStringList{"Delegate 1", "Delegate 2"}));

    // A delegate signed in by hand: the hall's figures follow the page's.
    QTest::keyClicks(child<QLineEdit>(FrmManChe::kUnitEdit), "1");
    click(FrmManChe::kUnitButton);
    clock.advance(500);
    EXPECT_EQ(shown(FrmManChe::kPresent), "39");
    EXPECT_EQ(screen->panel()->state().values.mid(0, 3), (QStringList{"40", "39", "1"}));
}
