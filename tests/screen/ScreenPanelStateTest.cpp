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

TEST(PanelStateTest, ColoursResetTheKindButKeepTheTexts)
{
    ScreenPanelState state;
    state.setKind(PanelKind::Table, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart("a:b:", "1:2:", Qt::yellow);
    state.setColours(Qt::darkBlue, Qt::black);
    EXPECT_EQ(state.kind, PanelKind::Blank);
    EXPECT_EQ(state.labels, QStringList({"a", "b"}));
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
    EXPECT_EQ(rows[5].row, 5);
    EXPECT_EQ(cells(rows, &TableRow::percent), QStringList({"", "", "60.00%", "20.00%", "10.00%", ""}));

    // Never voted: labels without values, units or percentages.
    state.setChart(kMotionLabels, "", kWhite);
    rows = tableRows(state);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(cells(rows, &TableRow::value) + cells(rows, &TableRow::unit) + cells(rows, &TableRow::percent),
              QStringList(18, QString()));
}

TEST(TableRowsTest, ElectionsScoringAndSignInFigures)
{
    const struct
    {
        const char* name;
        PanelSubKind subKind;
        QString labels;
        QString values;
        QStringList shownLabels;
        QStringList units;
    } cases[] = {
        // Unnamed candidate slots are left out.
        {"five-candidate election with three names",
         PanelSubKind::FiveCandidatesOneChoice,
         "Ana:Bo:Cy:",
         "12:7:3:0:0:",
         {"Ana", "Bo", "Cy"},
         {"votes", "votes", "votes"}},
        // The "no key" label has no value and so no unit word.
        {"one-of-three election",
         PanelSubKind::ThreeCandidatesOneChoice,
         "Ana:Bo:Cy:No key:",
         "12:7:3:",
         {"Ana", "Bo", "Cy", "No key"},
         {"votes", "votes", "votes", ""}},
        {"scoring", PanelSubKind::MeanMark, "Mean mark:", "85.50:", {"Mean mark"}, {""}},
        // Persons after the three figures only, not after the quorum line.
        {"sign-in with the quorum line",
         PanelSubKind::SignInFigures,
         "Due:Present:Absent:Quorum reached::",
         "50:47:3:::",
         {"Due", "Present", "Absent", "Quorum reached"},
         {"persons", "persons", "persons", ""}},
        {"blank", PanelSubKind::None, "a:b:", "1:2:", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenPanelState state;
        state.setUnitWords("persons", "votes");
        state.setKind(PanelKind::Table, c.subKind);
        state.setChart(c.labels, c.values, kWhite);
        const QList<TableRow> rows = tableRows(state);
        EXPECT_EQ(cells(rows, &TableRow::label), c.shownLabels);
        EXPECT_EQ(cells(rows, &TableRow::unit), c.units);
        if (!rows.isEmpty()) {
            EXPECT_EQ(rows.last().row, c.shownLabels.size() - 1);
        }
    }
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
    // Slots beyond the palette wrap around rather than read past it.
    EXPECT_EQ(chartColour(kChartPaletteSize), chartColour(0));
    EXPECT_EQ(chartColour(-1), chartColour(kChartPaletteSize - 1));
}

TEST(NameGridStateTest, ClampsNamesCountAndGrid)
{
    NameGridState grid;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many.append(QString::number(i));
    grid.setNames(many, 300);
    EXPECT_EQ(grid.names.size(), 250);
    EXPECT_EQ(grid.nameCount, 250);
    EXPECT_EQ(grid.drawnCount(), 27); // the cells of the 9 x 3 grid
    grid.setNames({"a", "b"}, 5);
    EXPECT_EQ(grid.drawnCount(), 2);
    grid.setGrid(-1, 1000);
    EXPECT_EQ(grid.rows, 0);
    EXPECT_EQ(grid.columns, NameGridState::kMaxSide);
    EXPECT_EQ(grid.drawnCount(), 0);
}

} // namespace
