#include "meeting/FrmResult.h"

#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

namespace {

const char* const kViews[] = {FrmResult::kTextView, FrmResult::kHistogramView, FrmResult::kPieView};
const char* const kViewNames[] = {"text", "histogram", "pie"};

const struct Sample
{
    const char* name;
    ResultRequest request;
    PanelKind lastKind; // after the pie radio
    int tableRows;
} kSamples[] = {
    {"motion",
     {"Plenary", "Budget 2027", 0, "",
      "1:50:48:30:10:8:3:60.00%:20.00%:16.00%:Passed:", "2026/12/07/-10:15:00", 1, "1024*768"},
     PanelKind::Pie,
     5},
    {"election",
     {"Plenary", "Board", 3, "Ana Lima:Bo Chen:Carla Souza:Dai Wei:Eva Novak:", "12:9:7:15:5:",
      "2026/12/07/-10:30:00", 2, "1024*768"},
     PanelKind::Pie,
     5},
    {"scoring",
     {"Plenary", "Catering", 5, "", "3.85:", "2026/12/07/-10:45:00", 2, "1024*768"},
     PanelKind::Table,
     1},
};

class FrmResultTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
    }

    void TearDown() override
    {
        dialog.reset();
        screen.reset();
        ConsoleTest::TearDown();
    }

    FrmResult& open(const ResultRequest& request)
    {
        dialog = std::make_unique<FrmResult>(*screen, request);
        dialog->show();
        return *dialog;
    }

    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<FrmResult> dialog;
};

} // namespace

// In each language, with a picture of each view.
TEST_F(FrmResultTest, PreviewAndHallShowTheSameInEachView)
{
    for (const char* language : {"0", "1", "2"}) {
        useLanguage(language);
        for (const Sample& sample : kSamples) {
            screen->setHeading("Left over", Qt::yellow); // the preview starts without it
            FrmResult& page = open(sample.request);
            // Every row has its label in the language (a row without one is left out).
            EXPECT_EQ(tableRows(page.preview()->state()).size(), sample.tableRows) << sample.name << language;
            for (int v = 0; v < 3; ++v) {
                clickButton(&page, kViews[v]);
                const ScreenPanelState& hall = screen->panel()->state();
                const ScreenPanelState& preview = page.preview()->state();
                const QString name =
                    QStringLiteral("result-%1-%2-%3").arg(language, sample.name, kViewNames[v]);
                EXPECT_EQ(std::tie(hall.kind, hall.subKind, hall.labels, hall.values, hall.topLine,
                                   hall.heading, hall.windowColour, hall.showPercentages),
                          std::tie(preview.kind, preview.subKind, preview.labels, preview.values,
                                   preview.topLine, preview.heading, preview.windowColour,
                                   preview.showPercentages))
                    << name.toStdString();
                EXPECT_EQ(hall.values, splitFieldList(sample.request.result, 10)) << name.toStdString();
                saveScreenshot(page, name);
                saveScreenshot(*screen, name + QStringLiteral("-hall"));
            }
            EXPECT_EQ(screen->surface(), FrmScr::Surface::Panel);
            EXPECT_EQ(screen->panel()->state().kind, sample.lastKind) << sample.name;
        }
    }
}

TEST_F(FrmResultTest, NeverVotedMotionShowsItsLabelsWithoutValues)
{
    ResultRequest request = kSamples[0].request;
    request.result.clear();
    FrmResult& page = open(request);
    EXPECT_TRUE(findWidget<QLabel>(&page, FrmResult::kNotVoted)->isVisible());
    const QList<TableRow> rows = tableRows(page.preview()->state());
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[2].label, Texts("FrmResult")("MsgVote1"));
    for (const TableRow& row : rows)
        EXPECT_TRUE(row.value.isEmpty() && row.unit.isEmpty()) << row.label.toStdString();
}

TEST_F(FrmResultTest, FewerCandidatesLeaveTheirEditsEmpty)
{
    ResultRequest request = kSamples[1].request;
    request.candidates = "Ana Lima:Bo Chen:";
    FrmResult& page = open(request);
    EXPECT_EQ(findWidget<QLineEdit>(&page, FrmResult::kKindName)->text(), Texts("Public")("VoteType4"));
    const QStringList expected = {"Ana Lima", "Bo Chen", "", "", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(findWidget<QLineEdit>(&page, FrmResult::kCandidates[size_t(i)])->text(), expected[i]) << i;
}

TEST_F(FrmResultTest, AViewChosenFromOutsideMovesTheRadioButtons)
{
    FrmResult& page = open(kSamples[0].request);
    page.showView(PanelKind::Pie);
    EXPECT_TRUE(findWidget<QRadioButton>(&page, kViews[2])->isChecked());
    EXPECT_FALSE(findWidget<QRadioButton>(&page, kViews[0])->isChecked());
}
