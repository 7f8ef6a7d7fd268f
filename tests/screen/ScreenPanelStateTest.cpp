#include "screen/ScreenPanelState.h"
#include "screen/NameGridState.h"

#include <gtest/gtest.h>

namespace {

const QColor kWhite(Qt::white);

// Labels of a motion vote as the voting page hands them.
const QString kMotionLabels = "Due:Present:Yes:No:Abstain:Not pressed:";

// "row label value unit percent" per table row.
QStringList rowTexts(const ScreenPanelState& state)
{
    QStringList out;
    for (const TableRow& r : tableRows(state))
        out.append(
            QStringLiteral("%1 %2 %3 %4 %5").arg(r.row).arg(r.label, r.value, r.unit, r.percent).trimmed());
    return out;
}

// "slot label value percent" per bar or slice.
QStringList itemTexts(const QList<ChartItem>& items)
{
    QStringList out;
    for (const ChartItem& i : items)
        out.append(
            QStringLiteral("%1 %2 %3 %4").arg(i.slot).arg(i.label).arg(i.value).arg(i.percent).trimmed());
    return out;
}

TEST(ScreenPanelStateTest, ChartKeepsTenFieldsAndColoursResetTheKind)
{
    ScreenPanelState state;
    state.setChart("1:2:3:4:5:6:7:8:9:10:11:12:", "a:b:", Qt::yellow);
    EXPECT_EQ(state.labels.size(), 10);
    EXPECT_EQ(state.values, QStringList({"a", "b"}));
    state.setKind(PanelKind::Table, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart("a:b:", "1:2:", Qt::yellow);
    state.setColours(Qt::darkBlue, Qt::black);
    EXPECT_EQ(state.kind, PanelKind::Blank);
    EXPECT_EQ(state.labels, QStringList({"a", "b"}));
}

TEST(TableRowsTest, RowsFollowTheSubKindAndAMotionsUnitFlag)
{
    const struct
    {
        PanelSubKind subKind;
        QString labels;
        QString values;
        QStringList rows;
    } cases[] = {
        // Unit "2": the unpressed have a row of their own; percentages on the key rows only.
        {PanelSubKind::MotionResult,
         kMotionLabels,
         "2:50:48:30:10:5:3:60.00%:20.00%:10.00%:Passed:",
         {"0 Due 50 persons", "1 Present 48 persons", "2 Yes 30 votes 60.00%", "3 No 10 votes 20.00%",
          "4 Abstain 5 votes 10.00%", "5 Not pressed 3 votes"}},
        // The "no key" label has no value and so no unit word.
        {PanelSubKind::ThreeCandidatesOneChoice,
         "Ana:Bo:Cy:No key:",
         "12:7:3:",
         {"0 Ana 12 votes", "1 Bo 7 votes", "2 Cy 3 votes", "3 No key"}},
        // Persons after the three figures only, not after the quorum line.
        {PanelSubKind::SignInFigures,
         "Due:Present:Absent:Quorum reached::",
         "50:47:3:::",
         {"0 Due 50 persons", "1 Present 47 persons", "2 Absent 3 persons", "3 Quorum reached"}},
    };
    for (const auto& c : cases) {
        ScreenPanelState state;
        state.setUnitWords("persons", "votes");
        state.setKind(PanelKind::Table, c.subKind);
        state.setShowPercentages(1);
        state.setChart(c.labels, c.values, kWhite);
        EXPECT_EQ(rowTexts(state), c.rows) << c.labels.toStdString();
    }
}

TEST(ChartItemsTest, BarsFollowTheTableAndSlicesOfAMotionAreTheKeyCounts)
{
    ScreenPanelState state;
    state.setShowPercentages(1);
    state.setChart(kMotionLabels, "2:249:240:180:40:12:8:72.29%:16.06%:4.82%:Passed:", kWhite);
    state.setKind(PanelKind::Histogram, PanelSubKind::MotionResult);
    EXPECT_EQ(itemTexts(histogramItems(state)),
              QStringList({"0 Due 249", "1 Present 240", "2 Yes 180 72.29%", "3 No 40 16.06%",
                           "4 Abstain 12 4.82%", "5 Not pressed 8"}));
    state.setKind(PanelKind::Pie, PanelSubKind::MotionResult);
    EXPECT_EQ(itemTexts(pieItems(state)),
              QStringList({"0 Yes 180 72.29%", "1 No 40 16.06%", "2 Abstain 12 4.82%", "3 Not pressed 8"}));

    // Election of three in a five-slot kind: bars keep their slots, text values become numbers.
    state.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    state.setChart("Ana:Bo:Cy:", "12:x:3:0:0:", kWhite);
    EXPECT_EQ(itemTexts(histogramItems(state)), QStringList({"0 Ana 12", "1 Bo 0", "2 Cy 3"}));
    // Slots beyond the palette wrap around rather than read past it.
    EXPECT_EQ(chartColour(-1), chartColour(kChartPaletteSize - 1));
}

TEST(NameGridStateTest, ClampsNamesCountAndGrid)
{
    NameGridState grid;
    grid.setNames(QStringList(300, "x"), 300);
    EXPECT_EQ(grid.names.size(), 250);
    EXPECT_EQ(grid.nameCount, 250);
    EXPECT_EQ(grid.drawnCount(), 27); // the cells of the 9 x 3 grid
    grid.setNames({"a", "b"}, 5);
    EXPECT_EQ(grid.drawnCount(), 2);
    grid.setGrid(-1, 1000);
    EXPECT_EQ(grid.columns, NameGridState::kMaxSide);
    EXPECT_EQ(grid.drawnCount(), 0);
}

} // namespace
