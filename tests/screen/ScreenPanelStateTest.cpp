#include "screen/ScreenPanelState.h"
#include "screen/NameGridState.h"

#include <gtest/gtest.h>

namespace {

const QColor kWhite(Qt::white);

// Labels of a motion vote as the voting page hands them.
const QString kMotionLabels = "Due:Present:Yes:No:Abstain:Not pressed:";

TEST(FieldListTest, SplitsAtColonsDropsTheTailAndKeepsAtMostTenFields)
{
    EXPECT_EQ(splitFieldList("a:b:c:", 10), QStringList({"a", "b", "c"}));
    EXPECT_EQ(splitFieldList("a:b:c", 10), QStringList({"a", "b"}));
    EXPECT_EQ(splitFieldList("", 10), QStringList());
    EXPECT_EQ(splitFieldList("::", 10), QStringList({"", ""}));
    EXPECT_EQ(splitFieldList("1:2:3:4:5:6:7:8:9:10:11:12:", 10),
              QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST(PanelStateTest, ChartTextsKeepTenFieldsAndColoursResetTheKind)
{
    ScreenPanelState state;
    state.setKind(PanelKind::Table, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart("a:b:c:d:e:f:g:h:i:j:k:l:", "1:2:3:4:5:6:7:8:9:10:11:12:", Qt::yellow);
    EXPECT_EQ(state.labels.size(), 10);
    EXPECT_EQ(state.values.size(), 10);
    EXPECT_EQ(state.labels.last(), "j");
    EXPECT_EQ(state.values.last(), "10");
    EXPECT_EQ(state.bodyColour, QColor(Qt::yellow));

    state.setColours(Qt::darkBlue, Qt::black);
    EXPECT_EQ(state.kind, PanelKind::Blank);
    EXPECT_EQ(state.windowColour, QColor(Qt::darkBlue));
    EXPECT_EQ(state.chartAreaColour, QColor(Qt::black));
    // Texts stay: only the kind is reset.
    EXPECT_EQ(state.labels.size(), 10);
}

TEST(PanelStateTest, HeadingAndTopLineShareTheHeadingColour)
{
    ScreenPanelState state;
    state.setHeading("Sign-in", Qt::red);
    state.setTopLine("Countdown", Qt::green, 1);
    EXPECT_EQ(state.heading, "Sign-in");
    EXPECT_EQ(state.topLine, "Countdown");
    EXPECT_EQ(state.topLineFont, 1);
    EXPECT_EQ(state.headingColour, QColor(Qt::green));
}

TEST(PaletteTest, ColourRefsHaveRedInTheLowByte)
{
    EXPECT_EQ(colourFromRef(0x0000EB), QColor(0xEB, 0, 0));
    EXPECT_EQ(colourFromRef(0xFF0000), QColor(0, 0, 0xFF));
    EXPECT_EQ(chartColour(0), QColor(0xEB, 0, 0));
    EXPECT_EQ(chartColour(3), QColor(0xEB, 0x99, 0x33));
    EXPECT_EQ(chartColour(13), QColor(0, 0xFF, 0xFF));
    EXPECT_EQ(chartColour(14), chartColour(0));
    EXPECT_EQ(chartColour(-1), chartColour(13));
}

QStringList cells(const QList<TableRow>& rows, QString TableRow::*member)
{
    QStringList out;
    for (const TableRow& row : rows)
        out.append(row.*member);
    return out;
}

TEST(TableRowsTest, MotionVoteShiftsValuesByTheUnitFlag)
{
    ScreenPanelState state;
    state.setKind(PanelKind::Table, PanelSubKind::MotionResult);
    // Unit "1": the unpressed are abstaining, five rows.
    state.setChart(kMotionLabels, "1:50:48:30:10:8:3:60.00%:20.00%:16.00%:Passed:", kWhite);
    QList<TableRow> rows = tableRows(state);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(cells(rows, &TableRow::label), QStringList({"Due", "Present", "Yes", "No", "Abstain"}));
    EXPECT_EQ(cells(rows, &TableRow::value), QStringList({"50", "48", "30", "10", "8"}));
    EXPECT_EQ(cells(rows, &TableRow::unit), QStringList({"人", "人", "票", "票", "票"}));
    EXPECT_EQ(cells(rows, &TableRow::percent), QStringList({"", "", "", "", ""}));

    // Unit "2": the unpressed have a row of their own; percentages on the key rows only.
    state.setChart(kMotionLabels, "2:50:48:30:10:5:3:60.00%:20.00%:10.00%:Passed:", kWhite);
    state.setShowPercentages(1);
    rows = tableRows(state);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[5].label, "Not pressed");
    EXPECT_EQ(rows[5].value, "3");
    EXPECT_EQ(rows[5].unit, "票");
    EXPECT_EQ(cells(rows, &TableRow::percent), QStringList({"", "", "60.00%", "20.00%", "10.00%", ""}));
    EXPECT_EQ(rows[5].row, 5);
}

TEST(TableRowsTest, NeverVotedShowsLabelsWithoutValuesOrUnits)
{
    ScreenPanelState state;
    state.setKind(PanelKind::Table, PanelSubKind::MotionResult);
    state.setShowPercentages(1);
    state.setChart(kMotionLabels, "", kWhite);
    const QList<TableRow> rows = tableRows(state);
    ASSERT_EQ(rows.size(), 6);
    for (const TableRow& row : rows) {
        EXPECT_TRUE(row.value.isEmpty());
        EXPECT_TRUE(row.unit.isEmpty());
        EXPECT_TRUE(row.percent.isEmpty());
    }
}

TEST(TableRowsTest, ElectionsScoringAndSignInFigures)
{
    ScreenPanelState state;
    state.setUnitWords("persons", "votes");
    // Five-candidate election with three names: unnamed slots are left out.
    state.setKind(PanelKind::Table, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart("Ana:Bo:Cy:", "12:7:3:0:0:", kWhite);
    QList<TableRow> rows = tableRows(state);
    EXPECT_EQ(cells(rows, &TableRow::label), QStringList({"Ana", "Bo", "Cy"}));
    EXPECT_EQ(cells(rows, &TableRow::unit), QStringList({"votes", "votes", "votes"}));

    // One-of-three election: the "no key" label has no value and so no unit word.
    state.setKind(PanelKind::Table, PanelSubKind::ThreeCandidatesOneChoice);
    state.setChart("Ana:Bo:Cy:No key:", "12:7:3:", kWhite);
    rows = tableRows(state);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[3].value, "");
    EXPECT_EQ(rows[3].unit, "");

    // Scoring: one row, no unit word.
    state.setKind(PanelKind::Table, PanelSubKind::MeanMark);
    state.setChart("Mean mark:", "85.50:", kWhite);
    rows = tableRows(state);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value, "85.50");
    EXPECT_EQ(rows[0].unit, "");

    // Sign-in with the quorum line: persons after the three figures only.
    state.setKind(PanelKind::Table, PanelSubKind::SignInFigures);
    state.setChart("Due:Present:Absent:Quorum reached::", "50:47:3:::", kWhite);
    rows = tableRows(state);
    EXPECT_EQ(cells(rows, &TableRow::label), QStringList({"Due", "Present", "Absent", "Quorum reached"}));
    EXPECT_EQ(cells(rows, &TableRow::unit), QStringList({"persons", "persons", "persons", ""}));
    EXPECT_EQ(rows[3].row, 3);

    state.setKind(PanelKind::Table, PanelSubKind::None);
    EXPECT_TRUE(tableRows(state).isEmpty());
}

TEST(ChartItemsTest, BarsFollowTheTableAndSlicesOfAMotionAreTheKeyCounts)
{
    ScreenPanelState state;
    state.setShowPercentages(1);
    state.setChart(kMotionLabels, "2:249:240:180:40:12:8:72.29%:16.06%:4.82%:Passed:", kWhite);
    state.setKind(PanelKind::Histogram, PanelSubKind::MotionResult);
    const QList<ChartItem> bars = histogramItems(state);
    ASSERT_EQ(bars.size(), 6);
    EXPECT_EQ(bars[0].label, "Due");
    EXPECT_DOUBLE_EQ(bars[0].value, 249);
    EXPECT_EQ(bars[2].percent, "72.29%");
    EXPECT_EQ(bars[5].slot, 5);

    state.setKind(PanelKind::Pie, PanelSubKind::MotionResult);
    const QList<ChartItem> slices = pieItems(state);
    ASSERT_EQ(slices.size(), 4);
    EXPECT_EQ(slices[0].label, "Yes");
    EXPECT_DOUBLE_EQ(slices[0].value, 180);
    EXPECT_EQ(slices[3].label, "Not pressed");
    EXPECT_EQ(slices[3].slot, 3);

    // Election of three in a five-slot kind: bars keep their slots, text values become numbers.
    state.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart("Ana:Bo:Cy:", "12:x:3:0:0:", kWhite);
    const QList<ChartItem> election = histogramItems(state);
    ASSERT_EQ(election.size(), 3);
    EXPECT_DOUBLE_EQ(election[1].value, 0);
    EXPECT_EQ(election[2].slot, 2);

    state.setKind(PanelKind::Histogram, PanelSubKind::MeanMark);
    EXPECT_TRUE(histogramItems(state).isEmpty());
}

TEST(NameGridStateTest, ClampsNamesCountAndGrid)
{
    NameGridState grid;
    EXPECT_EQ(grid.rows, 9);
    EXPECT_EQ(grid.columns, 3);
    EXPECT_EQ(grid.background, QColor(0, 0, 255));
    EXPECT_EQ(grid.text, QColor(Qt::white));
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many.append(QString::number(i));
    grid.setNames(many, 300);
    EXPECT_EQ(grid.names.size(), 250);
    EXPECT_EQ(grid.nameCount, 250);
    EXPECT_EQ(grid.drawnCount(), 27);
    grid.setNames({"a", "b"}, 5);
    EXPECT_EQ(grid.drawnCount(), 2);
    grid.setGrid(-1, 1000);
    EXPECT_EQ(grid.rows, 0);
    EXPECT_EQ(grid.columns, NameGridState::kMaxSide);
    EXPECT_EQ(grid.drawnCount(), 0);
}

} // namespace
