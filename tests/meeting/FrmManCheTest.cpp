#include "MeetingHubFixture.h"

#include "meeting/MeetingState.h"
#include "screen/NameGrid.h"
#include "screen/ScreenPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

class FrmManCheTest : public MeetingHubFixture
{
protected:
    QString shown(const char* name) { return child<QLabel>(name)->text(); }
    bool enabled(const char* name) { return child<QWidget>(name)->isEnabled(); }
    void type(const char* edit, const QString& text)
    {
        child<QLineEdit>(edit)->clear();
        QTest::keyClicks(child<QLineEdit>(edit), text);
    }
    const ScreenPanelState& panel() { return screen->panel()->state(); }
    const NameGridState& names() { return screen->nameGrid()->state(); }
    QString meetingDb() const { return Schema::meetingDatabasePath(meeting.MeeName); }
    void openCouncil()
    {
        addMeeting(QStringLiteral("Council"), 40, 40);
        connectHall(40);
        openHub("1");
    }
};

} // namespace

TEST_F(FrmManCheTest, SignInFromThePageButtonsShowsTheFiguresAndStoresTheAttendance)
{
    openCouncil();
    collect(QStringLiteral("signin 1-30"));
    EXPECT_FALSE(enabled(FrmManChe::kStartButton));
    EXPECT_EQ(shown(FrmManChe::kAbsent), "10");
    EXPECT_EQ(shown(FrmManChe::kQuorum), "Quorum reached");
    EXPECT_EQ(page().gridText(30, 2), "Present");
    EXPECT_EQ(page().gridText(31, 2), "-----");
    // The hall sees the figures while the keys come in.
    EXPECT_EQ(screen->surface(), FrmScr::Surface::Panel);
    EXPECT_EQ(panel().subKind, PanelSubKind::SignInFigures);
    EXPECT_EQ(panel().values.mid(0, 3), (QStringList{"40", "30", "10"}));

    endSignIn();
    EXPECT_TRUE(hub->meetingState().signInClosed());
    EXPECT_EQ(column("select sign from Employees where sign = 'Signed in'", "sign", meetingDb()).size(), 30);
    EXPECT_EQ(column("select SignIn from Mottag", "SignIn", Schema::kSystemDatabase), QStringList{"30"});
    // The end: the quorum on the hall screen, and the page ready for more.
    EXPECT_EQ(panel().labels.value(3), "Quorum reached");
    EXPECT_TRUE(enabled(FrmManChe::kStartButton));
    EXPECT_FALSE(enabled(FrmManChe::kEndButton));
}

TEST_F(FrmManCheTest, ManualSignInKeepsDigitsAndSendsOnlyForAUnitThatExists)
{
    openCouncil();
    collect(QStringLiteral("signin 1-2"));
    endSignIn();
    bank.clearSent();

    // Letters are dropped as they are typed; 0, unitCount + 1 and nothing send nothing.
    type(FrmManChe::kUnitEdit, "x4y1");
    EXPECT_EQ(child<QLineEdit>(FrmManChe::kUnitEdit)->text(), "41");
    for (const QString& typed : {QStringLiteral("41"), QStringLiteral("0"), QString()}) {
        type(FrmManChe::kUnitEdit, typed);
        click(FrmManChe::kUnitButton);
        EXPECT_TRUE(child<QLineEdit>(FrmManChe::kUnitEdit)->text().isEmpty());
    }
    clock.advance(500);
    EXPECT_TRUE(bank.sentWords().isEmpty());

    type(FrmManChe::kUnitEdit, "7");
    click(FrmManChe::kUnitButton);
    clock.advance(500);
    EXPECT_EQ(bank.sentWords(), (QList<quint32>{Commands::pollWord(7), 0xF30007}));
    EXPECT_EQ(page().gridText(7, 2), "Present");
    EXPECT_EQ(shown(FrmManChe::kPresent), "3");
}

TEST_F(FrmManCheTest, CountdownNeedsALengthAndReachesTheSession)
{
    openCouncil();
    child<QCheckBox>(FrmManChe::kCountdownCheck)->click();

    type(FrmManChe::kCountdownEdit, "0");
    click(FrmManChe::kStartButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Enter the countdown in seconds, or untick the countdown."});
    clock.advance(2000);
    EXPECT_TRUE(bank.sentWords().isEmpty());

    type(FrmManChe::kCountdownEdit, "7s5");
    click(FrmManChe::kStartButton);
    ASSERT_TRUE(reach(SignInSession::State::Collecting, 5000));
    clock.advance(1000);
    EXPECT_EQ(shown(FrmManChe::kCountdownDisplay), "01:14"); // its end is the session's test
}

TEST_F(FrmManCheTest, NamePagesPageThroughPresentAndAbsentDelegatesOnTheHallScreen)
{
    openCouncil();
    for (int n = 1; n <= 30; ++n)
        link->unit(n).signedIn = 1;
    link->unit(3).forbidden = 1; // a locked microphone keeps a delegate off both lists

    click(FrmManChe::kSignedInNames);
    EXPECT_EQ(screen->surface(), FrmScr::Surface::NameGrid);
    EXPECT_EQ(names().names.mid(0, 3), (QStringList{"Delegate 1", "Delegate 2", "Delegate 4"}));
    // 29 names: the second page is the last.
    click(FrmManChe::kSignedInDown);
    click(FrmManChe::kSignedInDown);
    EXPECT_EQ(names().names.mid(4, 2), (QStringList{"Delegate 30", ""}));

    click(FrmManChe::kAbsentNames);
    EXPECT_EQ(names().names.mid(9, 2), (QStringList{"Delegate 40", ""}));
}

TEST_F(FrmManCheTest, GridShowsEveryUnitUpTo249InTheDesignedOrder)
{
    addMeeting(QStringLiteral("Assembly"), 249, 249);
    connectHall(249);
    openHub("1");
    auto* grid = child<QTableWidget>(FrmManChe::kGrid);
    // Unit 20 opens the second group; unit 249 is in row 2 of the fourteenth.
    EXPECT_EQ(grid->item(0, 4)->text(), "20");
    QTableWidgetItem* last = grid->item(1, 1 + 13 * 3);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->text(), "249");
    EXPECT_EQ(grid->item(1, 2 + 13 * 3)->text(), "Delegate 249");
    EXPECT_EQ(grid->item(2, 1 + 13 * 3), nullptr); // nothing after the last unit
    grid->scrollToItem(last);
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualItemRect(last)));
}
