// The hall's state model: each hall-screen call gives the right change, and the
// snapshot holds what the calls left behind.

#include "web/HallState.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QJsonObject lastChange(const QSignalSpy& spy)
{
    return spy.isEmpty() ? QJsonObject() : spy.last().at(0).toJsonObject();
}

QStringList pairs(const QJsonArray& figures)
{
    QStringList list;
    for (const QJsonValue& figure : figures)
        list.append(figure[QStringLiteral("label")].toString() + QLatin1Char('=') +
                    figure[QStringLiteral("value")].toString());
    return list;
}

} // namespace

TEST(HallStateTest, AMotionVoteGivesTheHallsRowsAndBarsAndBecomesTheLastResult)
{
    HallState state;
    state.setUnitWords(QStringLiteral("persons"), QStringLiteral("votes"));
    QSignalSpy spy(&state, &HallState::changed);

    state.setPanelColours(Qt::blue, Qt::blue);
    state.setKind(PanelKind::Table, PanelSubKind::MotionResult);
    state.setShowPercentages(1);
    // Unit flag 1: unpressed count as abstaining, so five rows.
    state.setChart(QStringLiteral("Due:Present:Yes:No:Abstain:Unpressed:"),
                   QStringLiteral("1:249:240:200:30:10:0:83%:12%:4%:"), Qt::white);
    ASSERT_EQ(spy.size(), 4); // one change per call
    const QJsonObject change = lastChange(spy);
    const QJsonObject panel = change[QStringLiteral("panel")].toObject();
    EXPECT_EQ(panel[QStringLiteral("kind")].toString(), QStringLiteral("table"));
    const QJsonArray rows = panel[QStringLiteral("rows")].toArray();
    EXPECT_EQ(pairs(rows), (QStringList{QStringLiteral("Due=249"), QStringLiteral("Present=240"),
                                        QStringLiteral("Yes=200"), QStringLiteral("No=30"),
                                        QStringLiteral("Abstain=10")}));
    EXPECT_EQ(rows[0][QStringLiteral("unit")].toString(), QStringLiteral("persons"));
    EXPECT_EQ(rows[2][QStringLiteral("unit")].toString(), QStringLiteral("votes"));
    EXPECT_EQ(rows[2][QStringLiteral("percent")].toString(), QStringLiteral("83%"));
    EXPECT_TRUE(rows[0][QStringLiteral("percent")].toString().isEmpty());
    EXPECT_EQ(change[QStringLiteral("lastResult")].toObject(), panel);

    // The same figures as bars, in the screen's palette; the pie leaves out due and present.
    state.setKind(PanelKind::Histogram, PanelSubKind::MotionResult);
    QJsonArray chart = lastChange(spy)[QStringLiteral("panel")][QStringLiteral("chart")].toArray();
    ASSERT_EQ(chart.size(), 5);
    EXPECT_EQ(chart[2][QStringLiteral("amount")].toDouble(), 200.0);
    EXPECT_EQ(chart[0][QStringLiteral("colour")].toString(), chartColour(0).name());
    state.setKind(PanelKind::Pie, PanelSubKind::MotionResult);
    chart = lastChange(spy)[QStringLiteral("panel")][QStringLiteral("chart")].toArray();
    EXPECT_EQ(pairs(chart), (QStringList{QStringLiteral("Yes=200"), QStringLiteral("No=30"),
                                         QStringLiteral("Abstain=10")}));

    // The hall moves on to a speaker; the chair still has the vote.
    state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    state.setLines(QStringLiteral("Speaking: Ana Lima"), QString(), QString(), Qt::white);
    EXPECT_FALSE(lastChange(spy).contains(QStringLiteral("lastResult")));
    const QJsonObject snapshot = state.snapshot();
    EXPECT_EQ(snapshot[QStringLiteral("panel")][QStringLiteral("lines")][0].toString(),
              QStringLiteral("Speaking: Ana Lima"));
    EXPECT_EQ(pairs(snapshot[QStringLiteral("lastResult")][QStringLiteral("rows")].toArray()).size(), 5);
    EXPECT_TRUE(snapshot[QStringLiteral("panel")][QStringLiteral("rows")].toArray().isEmpty());
}

TEST(HallStateTest, SignInFiguresBecomeTheAttendanceAndLaterChangesCarryThePanelAlone)
{
    HallState state;
    QSignalSpy spy(&state, &HallState::changed);
    state.setHeading(QStringLiteral("Roll call"), Qt::white);
    state.setKind(PanelKind::Table, PanelSubKind::SignInFigures);
    state.setChart(QStringLiteral("Due:Present:Absent:Quorum:"), QStringLiteral("249:200:49:reached:"),
                   Qt::white);
    EXPECT_EQ(pairs(lastChange(spy)[QStringLiteral("attendance")][QStringLiteral("rows")].toArray()),
              (QStringList{QStringLiteral("Due=249"), QStringLiteral("Present=200"),
                           QStringLiteral("Absent=49"), QStringLiteral("Quorum=reached")}));

    // The next page heads the panel before it sets its kind: a change that carries the panel
    // alone, and the attendance keeps its own heading.
    state.setHeading(QStringLiteral("Budget 2027"), Qt::yellow);
    const QJsonObject change = lastChange(spy);
    EXPECT_EQ(change.keys(), QStringList{QStringLiteral("panel")});
    state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    const QJsonObject attendance = state.snapshot()[QStringLiteral("attendance")].toObject();
    EXPECT_EQ(attendance[QStringLiteral("rows")].toArray().size(), 4);
    EXPECT_EQ(attendance[QStringLiteral("heading")].toString(), QStringLiteral("Roll call"));
    EXPECT_EQ(change[QStringLiteral("panel")][QStringLiteral("heading")].toString(),
              QStringLiteral("Budget 2027"));
    EXPECT_EQ(change[QStringLiteral("panel")][QStringLiteral("headingColour")].toString(),
              QStringLiteral("#ffff00"));
}

TEST(HallStateTest, TheNameGridSendsOnlyTheNamesItDrawsAndTheSurfaceFollowsTheScreen)
{
    HallState state;
    QSignalSpy spy(&state, &HallState::changed);
    state.setSurface(HallState::Surface::NameGrid);
    EXPECT_EQ(lastChange(spy)[QStringLiteral("surface")].toString(), QStringLiteral("grid"));
    state.setGrid(2, 2);
    state.setGridTitle(QStringLiteral("Present"));
    state.setNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                    QStringLiteral("E")},
                   5);
    const QJsonObject grid = lastChange(spy)[QStringLiteral("grid")].toObject();
    EXPECT_EQ(grid[QStringLiteral("names")].toArray().size(), 4); // four cells
    EXPECT_EQ(grid[QStringLiteral("title")].toString(), QStringLiteral("Present"));

    // Text the screen already shows sends nothing.
    state.setText(QStringLiteral("Welcome"));
    const qsizetype before = spy.size();
    state.setText(QStringLiteral("Welcome"));
    EXPECT_EQ(spy.size(), before);
    state.setTrainingNote(QStringLiteral("Training"));
    const QJsonObject snapshot = state.snapshot();
    EXPECT_EQ(snapshot[QStringLiteral("text")].toString(), QStringLiteral("Welcome"));
    EXPECT_EQ(snapshot[QStringLiteral("training")].toString(), QStringLiteral("Training"));
    EXPECT_EQ(snapshot[QStringLiteral("surface")].toString(), QStringLiteral("grid"));
}

TEST(HallStateTest, OpenMicrophonesGoToTheChairInTheOrderTheyOpenedAndOnlyWhenTheyChange)
{
    HallState state;
    QSignalSpy spy(&state, &HallState::changed);
    const QStringList open{QStringLiteral("12 Ana Lima"), QStringLiteral("3 Rui Costa")};
    state.setOpenMicrophones(open);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(lastChange(spy),
              (QJsonObject{{QStringLiteral("microphones"), QJsonArray::fromStringList(open)}}));
    state.setOpenMicrophones(open);
    EXPECT_EQ(spy.size(), 1);
    EXPECT_EQ(state.snapshot()[QStringLiteral("microphones")].toArray(), QJsonArray::fromStringList(open));

    // The last one closes: an empty list, so the chair's page clears it.
    state.setOpenMicrophones({});
    EXPECT_TRUE(lastChange(spy)[QStringLiteral("microphones")].toArray().isEmpty());
    EXPECT_TRUE(lastChange(spy).contains(QStringLiteral("microphones")));
}

TEST(HallStateTest, AWholePanelIsOneChangeAndACountdownTickLeavesTheLastResultAlone)
{
    HallState state;
    state.setUnitWords(QStringLiteral("persons"), QStringLiteral("votes"));
    QSignalSpy spy(&state, &HallState::changed);
    ScreenPanelState panel;
    panel.setKind(PanelKind::Table, PanelSubKind::MotionResult);
    panel.setTopLine(QStringLiteral("Time left: 00:05"), Qt::white, 0);
    panel.setChart(QStringLiteral("Due:Present:Yes:"), QStringLiteral("1:249:240:200:"), Qt::white);
    state.setPanel(panel);
    ASSERT_EQ(spy.size(), 1);
    const QJsonObject result = lastChange(spy)[QStringLiteral("lastResult")].toObject();
    EXPECT_EQ(result[QStringLiteral("topLine")].toString(), QStringLiteral("Time left: 00:05"));
    // The unit words are the hall's own, whatever the panel pushed carries.
    EXPECT_EQ(result[QStringLiteral("rows")][0][QStringLiteral("unit")].toString(),
              QStringLiteral("persons"));

    panel.topLine = QStringLiteral("Time left: 00:04");
    state.setPanel(panel);
    EXPECT_FALSE(lastChange(spy).contains(QStringLiteral("lastResult")));
    panel.setChart(QStringLiteral("Due:Present:Yes:"), QStringLiteral("1:249:240:210:"), Qt::white);
    state.setPanel(panel);
    EXPECT_EQ(pairs(lastChange(spy)[QStringLiteral("lastResult")][QStringLiteral("rows")].toArray()).last(),
              QStringLiteral("Yes=210"));
}
