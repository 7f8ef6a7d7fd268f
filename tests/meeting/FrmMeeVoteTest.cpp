#include "meeting/FrmMeeVote.h"

#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/AttendanceTable.h"
#include "meeting/MeetingState.h"
#include "meeting/VoteRecord.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/SimulatedHall.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>

namespace {

using State = VoteSession::State;

class FrmMeeVoteTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(
            settings.execute("update sysbasicset set ScrSize = ?, ScrColor = ?, ScrTextColor = ?",
                             {"1024*768", colourToStored(QColor(0, 0, 128)), colourToStored(Qt::white)}));
    }
    void TearDown() override
    {
        page.reset();
        screen.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

    void addMeeting(const QString& name, int due, int present)
    {
        meeting = MeetingRecord{};
        meeting.MeeName = name;
        meeting.DateStart = QStringLiteral("2026/03/01");
        meeting.DueNum = QString::number(due);
        MeetingTable table;
        ASSERT_EQ(table.create(meeting), MeetingTable::CreateResult::Created);
        ASSERT_TRUE(AttendanceTable::setMeetingSignIn(name, present)); // as an ended sign-in leaves it
    }
    // A motion of `kind` with the texts of the language in use; a motion vote passes over 50 % of due.
    MotionRecord& addMotion(const QString& title, int kind)
    {
        const Texts vote(QStringLiteral("FrmMeeVote"));
        MotionTable table;
        table.setMeeting(meeting.MeeName);
        MotionRecord& m = table.record;
        m.OveName = title;
        m.OveType = Texts(QStringLiteral("Public"))(QStringLiteral("VoteType%1").arg(kind + 1));
        m.VoteBase = vote(QStringLiteral("cbBaseOne"));
        m.VoteAbet = vote(QStringLiteral("cbAbetOne"));
        m.VoteAbetValue = QStringLiteral("50");
        m.VoteTimelRes = QStringLiteral("2");
        m.VoteTimelValue = QStringLiteral("5");
        m.Unit = QStringLiteral("1");
        m.ViewPer = QStringLiteral("1");
        m.ViewPass = QStringLiteral("2");
        m.VoteDll = QStringLiteral("1");
        m.VoteState = vote(QStringLiteral("DateNo"));
        m.insertdate = QStringLiteral("202603011000%1").arg(++motions, 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(table.insert());
        added.append(m);
        return added.last();
    }
    void connectHall(int units)
    {
        hall = std::make_unique<SimulatedHall>(bank, units, 1);
        link = std::make_unique<Link>(bank.factory());
        link->start(1, 1, units, 1);
        ASSERT_TRUE(clock.advanceUntil([&] { return bank.sentWords().endsWith(Commands::kControlEnd); },
                                       units * 100 + 20000));
        clock.advance(100);
        bank.clearSent();
    }
    void openPage()
    {
        page.reset();
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
        page = std::make_unique<FrmMeeVote>(*link, clock, *screen, meetingState);
        page->openMeeting(meeting);
        page->show();
    }
    void clickRow(int row)
    {
        auto* list = child<QTableWidget>(FrmMeeVote::kMotionList);
        const QRect cell = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    bool reach(State state, int limitMs = 30000)
    {
        return clock.advanceUntil([&] { return page->session().state() == state; }, limitMs);
    }
    void click(const char* name) { clickButton(page.get(), name); }
    template <typename T = QWidget> T* child(const char* name) { return findWidget<T>(page.get(), name); }
    bool enabled(const char* name) { return child(name)->isEnabled(); }
    QString text(const char* name) { return child<QAbstractButton>(name)->text(); }
    QString readout() { return child<QLabel>(FrmMeeVote::kReadout)->text(); }

    const ScreenPanelState& preview() { return page->preview()->state(); }
    // The hall screen and the preview were given the same calls.
    void expectSamePanels(const char* when)
    {
        const ScreenPanelState& a = screen->panel()->state();
        const ScreenPanelState& b = preview();
        EXPECT_EQ(a.kind, b.kind) << when;
        EXPECT_EQ(a.subKind, b.subKind) << when;
        EXPECT_EQ(QStringList({a.heading, a.topLine, a.line1, a.line2, a.line3}),
                  QStringList({b.heading, b.topLine, b.line1, b.line2, b.line3}))
            << when;
        EXPECT_EQ(a.labels, b.labels) << when;
        EXPECT_EQ(a.values, b.values) << when;
        EXPECT_EQ(a.showPercentages, b.showPercentages) << when;
        EXPECT_EQ(a.windowColour, b.windowColour) << when;
        EXPECT_EQ(a.bodyColour, b.bodyColour) << when;
    }
    MotionRecord stored(const QString& key)
    {
        MotionTable table;
        table.setMeeting(meeting.MeeName);
        for (const MotionRecord& m : table.all().value_or(QList<MotionRecord>()))
            if (m.insertdate == key)
                return m;
        return {};
    }

    MeetingRecord meeting;
    QList<MotionRecord> added;
    int motions = 0;
    MemoryPortBank bank;
    std::unique_ptr<SimulatedHall> hall;
    std::unique_ptr<Link> link;
    MeetingState meetingState;
    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<FrmMeeVote> page;
};

} // namespace

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

TEST_F(FrmMeeVoteTest, MotionVoteFromThePageStoresTheRowAndReachesTheController)
{
    addMeeting(QStringLiteral("Council"), 40, 30);
    const MotionRecord budget = addMotion(QStringLiteral("Budget"), 0);
    connectHall(40);
    meetingState.setSignInClosed(true);
    openPage();
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kDue)->text(), "40");
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kPresent)->text(), "30");
    EXPECT_FALSE(enabled(FrmMeeVote::kStartButton));

    clickRow(0);
    ASSERT_EQ(page->selectedRow(), 0);
    // The operator lowers the threshold; a motion vote writes it back when it starts.
    child<QSlider>(FrmMeeVote::kThresholdSlider)->setValue(40);
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kThresholdEcho)->text(), "40%");
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
    EXPECT_EQ(stored(budget.insertdate).VoteAbetValue, "40");
    EXPECT_FALSE(enabled(FrmMeeVote::kMotionList) || enabled(FrmMeeVote::kSettingsFrame));
    EXPECT_TRUE(enabled(FrmMeeVote::kEndButton) && enabled(FrmMeeVote::kMonitorButton));

    // More than 40 % of 40 due is 17 yes.
    // One poll cycle over 40 units, and the next count.
    ASSERT_TRUE(hall->act("press 1-10 1"));
    clock.advance(2000);
    EXPECT_TRUE(child(FrmMeeVote::kReadout)->isVisible());
    EXPECT_EQ(readout(), "Passes if 7 more vote yes");
    // The running figures under the designed title, on both panels.
    EXPECT_EQ(preview().kind, PanelKind::Table);
    EXPECT_EQ(preview().subKind, PanelSubKind::MotionResult);
    EXPECT_EQ(preview().topLine, "请按相应键投票");
    EXPECT_EQ(preview().values.mid(0, 4), (QStringList{"1", "40", "30", "10"}));
    EXPECT_EQ(preview().labels.mid(0, 2), (QStringList{"Expected", "Present"}));
    expectSamePanels("running");
    // The readout is the console's: the hall sees none of it.
    for (const QString& shown : screen->panel()->state().labels + screen->panel()->state().values)
        EXPECT_FALSE(shown.contains("more vote yes"));

    ASSERT_TRUE(hall->act("press 11-18 1"));
    ASSERT_TRUE(hall->act("press 19-25 2"));
    ASSERT_TRUE(hall->act("press 26-27 3"));
    clock.advance(2000);
    EXPECT_EQ(readout(), "Passed whatever the rest do");

    click(FrmMeeVote::kEndButton);
    EXPECT_EQ(preview().line1, Texts("FrmScrText")("StaticVote3"));
    expectSamePanels("closing");
    ASSERT_TRUE(reach(State::Idle));
    clock.advance(LinkTiming::kFastPaceMs);

    const QList<quint32> words = bank.sentWords();
    ASSERT_GE(words.size(), 4);
    EXPECT_EQ(words.mid(0, 2), (QList<quint32>{Commands::kControlBegin, 0xF75501u}));
    EXPECT_TRUE(words.contains(Commands::kVoteEnd));
    EXPECT_EQ(words.last(), Commands::kControlEnd);
    const Texts vote(QStringLiteral("FrmMeeVote"));
    const MotionRecord row = stored(budget.insertdate);
    EXPECT_EQ(row.result, "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:" + vote("PassVoteOk") + ":");
    EXPECT_EQ(row.VoteState, vote("DateYes"));
    EXPECT_EQ(child<QTableWidget>(FrmMeeVote::kMotionList)->item(0, 3)->text(), vote("DateYes"));

    // The final figures stay (ViewPass "2"); the operator shows the pass text when the chair asks.
    EXPECT_EQ(preview().topLine, "投票结果");
    EXPECT_EQ(preview().values.value(3), "18");
    EXPECT_FALSE(child(FrmMeeVote::kReadout)->isVisible());
    EXPECT_EQ(page->selectedRow(), 0);
    EXPECT_TRUE(enabled(FrmMeeVote::kStartButton));
    EXPECT_TRUE(enabled(FrmMeeVote::kQueryButton));
    EXPECT_FALSE(enabled(FrmMeeVote::kMonitorButton));
    click(FrmMeeVote::kShowPassButton);
    EXPECT_EQ(preview().kind, PanelKind::Blank);
    EXPECT_EQ(preview().topLine, vote("PassVoteOk"));
    expectSamePanels("pass text");

    // The query button hands the stored row to the result display.
    QString queried;
    page->setResultOpener(
        [&](const MotionRecord& m, int kind) { queried = m.result + QString::number(kind); });
    click(FrmMeeVote::kQueryButton);
    EXPECT_EQ(queried, row.result + "0");
}

TEST_F(FrmMeeVoteTest, EnablingAndCaptionsFollowTheKind)
{
    addMeeting(QStringLiteral("Council"), 40, 30);
    for (int kind = 0; kind < 7; ++kind)
        addMotion(QStringLiteral("Motion %1").arg(kind), kind);
    connectHall(10);
    openPage();
    ASSERT_EQ(child<QTableWidget>(FrmMeeVote::kMotionList)->rowCount(), 7);
    // Voted under the Chinese table: the query still opens.
    VoteRecord record;
    record.setMeeting(meeting.MeeName);
    ASSERT_TRUE(record.writeResult(*record.find(added[3]), "1:2:3:4:5:", QStringLiteral("已表决"), "x"));
    page->reloadMotions();

    const struct
    {
        int kind;
        const char* start;
        const char* end;
        bool settings, candidates, query;
    } cases[] = {
        {0, "Start vote", "End vote", true, false, false},
        {1, "Start election", "End election", false, true, false},
        {3, "Start election", "End election", false, true, true},
        {5, "Start scoring", "End scoring", false, false, false},
        {6, "Start evaluation", "End evaluation", false, false, false},
    };
    for (const auto& c : cases) {
        clickRow(c.kind);
        EXPECT_EQ(page->selectedKind(), c.kind);
        EXPECT_EQ(text(FrmMeeVote::kStartButton), c.start) << c.kind;
        EXPECT_EQ(text(FrmMeeVote::kEndButton), c.end) << c.kind;
        EXPECT_TRUE(enabled(FrmMeeVote::kStartButton)) << c.kind;
        EXPECT_FALSE(enabled(FrmMeeVote::kEndButton)) << c.kind;
        EXPECT_FALSE(enabled(FrmMeeVote::kShowPassButton)) << c.kind;
        EXPECT_EQ(enabled(FrmMeeVote::kSettingsFrame), c.settings) << c.kind;
        EXPECT_EQ(enabled(FrmMeeVote::kCandidatesButton), c.candidates) << c.kind;
        EXPECT_EQ(enabled(FrmMeeVote::kQueryButton), c.query) << c.kind;
        EXPECT_TRUE(enabled(FrmMeeVote::kTimeLimitCheck)) << c.kind;
    }
}

TEST_F(FrmMeeVoteTest, NoEndedSignInShowsLogFirstAndSendsNothing)
{
    addMeeting(QStringLiteral("Council"), 40, 30);
    addMotion(QStringLiteral("Budget"), 0);
    connectHall(10);
    openPage();
    clickRow(0);
    click(FrmMeeVote::kStartButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmMeeVote")("MsgLogFirst")});
    clock.advance(3000);
    EXPECT_TRUE(bank.sentWords().isEmpty());
    EXPECT_EQ(page->session().state(), State::Idle);
    EXPECT_TRUE(enabled(FrmMeeVote::kStartButton));
    EXPECT_EQ(preview().kind, PanelKind::Blank);
    EXPECT_TRUE(preview().labels.isEmpty());
}

TEST_F(FrmMeeVoteTest, ElectionWithCandidatesFromTheDialogEndsOnItsCountdown)
{
    addMeeting(QStringLiteral("Council"), 40, 30);
    const MotionRecord board = addMotion(QStringLiteral("Board"), 3);
    connectHall(40);
    meetingState.setSignInClosed(true);
    openPage();
    clickRow(0);
    page->setDialogRunner([](QDialog& dialog) {
        const QStringList names{"Ana", "Bo", "Chen", "Dee", "Eve"};
        for (int i = 0; i < 5; ++i)
            dialog.findChild<QLineEdit*>(QString::number(1043 + i))->setText(names[i]);
        clickButton(&dialog, "IDOK");
        return dialog.result();
    });
    click(FrmMeeVote::kCandidatesButton);
    EXPECT_EQ(stored(board.insertdate).candidate, "Ana:Bo:Chen:Dee:Eve:");

    // Switching the limit on picks 5 seconds.
    child<QCheckBox>(FrmMeeVote::kTimeLimitCheck)->click();
    EXPECT_TRUE(enabled(FrmMeeVote::kSecondsCombo));
    EXPECT_EQ(child<QComboBox>(FrmMeeVote::kSecondsCombo)->currentText(), "5");
    click(FrmMeeVote::kStartButton);
    // The key legend: five key labels, then the names of keys 1..5.
    const Texts scr(QStringLiteral("FrmScrText"));
    EXPECT_EQ(preview().kind, PanelKind::KeyLegend);
    EXPECT_EQ(preview().labels,
              (QStringList{scr("StaticEle1"), scr("StaticEle2"), scr("StaticEle3"), scr("StaticEle4"),
                           scr("StaticEle5"), "Ana", "Bo", "Chen", "Dee", "Eve"}));
    expectSamePanels("legend");
    ASSERT_TRUE(reach(State::Collecting, 5000));
    EXPECT_EQ(stored(board.insertdate).VoteTimelRes, "1");
    EXPECT_FALSE(child(FrmMeeVote::kReadout)->isVisible()); // no pass rule in an election
    ASSERT_TRUE(hall->act("press 1-4 2"));
    clock.advance(1000);
    EXPECT_EQ(preview().topLine, "倒计时:00:04");
    expectSamePanels("countdown");

    // Nobody presses End: the countdown does.
    ASSERT_TRUE(reach(State::Idle, 20000));
    EXPECT_EQ(preview().subKind, PanelSubKind::FiveCandidatesOneChoice);
    EXPECT_EQ(preview().labels, (QStringList{"Ana", "Bo", "Chen", "Dee", "Eve"}));
    EXPECT_EQ(preview().values, (QStringList{"0", "4", "0", "0", "0"}));
    EXPECT_EQ(preview().topLine, "投票结果");
    expectSamePanels("result");
    EXPECT_EQ(stored(board.insertdate).result, "0:4:0:0:0:");
}

// The page during a 249-unit motion vote in each language, with the preview and the readout.
TEST_F(FrmMeeVoteTest, Screenshots)
{
    connectHall(249);
    meetingState.setSignInClosed(true);
    const struct
    {
        const char* code;
        const char* name;
        QStringList titles;
    } languages[] = {
        {"0", "zh", {"关于2026年度财政预算的议案", "选举理事会主席", "年度工作满意度测评"}},
        {"1", "en", {"Budget for 2026", "Election of the chair", "Evaluation of the year's work"}},
        {"2", "pt", {"Orçamento para 2026", "Eleição do presidente", "Avaliação do trabalho do ano"}},
    };
    const int kinds[] = {0, 1, 6};
    for (const auto& language : languages) {
        useLanguage(language.code);
        addMeeting(QStringLiteral("Plenary %1").arg(language.name), 249, 240);
        for (int i = 0; i < language.titles.size(); ++i)
            addMotion(language.titles[i], kinds[i]);
        openPage();
        clickRow(0);
        click(FrmMeeVote::kStartButton);
        ASSERT_TRUE(reach(State::Collecting, 5000));
        ASSERT_TRUE(hall->act("press 1-100 1"));
        ASSERT_TRUE(hall->act("press 101-130 2"));
        ASSERT_TRUE(hall->act("press 131-140 3"));
        clock.advance(249 * LinkTiming::kFastPaceMs + 1000); // one poll cycle and a count
        // More than 50 % of 249 due is 125 yes.
        EXPECT_EQ(readout(), PassReadout::line({PassReadout::Verdict::Needs, 25},
                                               {QString(), Texts("FrmMeeVote")("MsgReadoutMore"), {}, {}}));
        EXPECT_EQ(preview().values.value(3), "100");
        saveScreenshot(*page, QStringLiteral("FrmMeeVote_%1").arg(language.name));
        click(FrmMeeVote::kEndButton);
        ASSERT_TRUE(reach(State::Idle));
        clock.advance(LinkTiming::kFastPaceMs);
    }
}
