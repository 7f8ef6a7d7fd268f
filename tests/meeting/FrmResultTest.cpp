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

ResultRequest motionVote()
{
    return {"Plenary",
            "Budget 2027",
            0,
            "",
            "1:50:48:30:10:8:3:60.00%:20.00%:16.00%:Passed:",
            "2026/12/07/-10:15:00",
            1,
            "1024*768"};
}

ResultRequest election()
{
    return {"Plenary",
            "Board",
            3,
            "Ana Lima:Bo Chen:Carla Souza:Dai Wei:Eva Novak:",
            "12:9:7:15:5:",
            "2026/12/07/-10:30:00",
            2,
            "1024*768"};
}

ResultRequest scoring()
{
    return {"Plenary", "Catering", 5, "", "3.85:", "2026/12/07/-10:45:00", 2, "1024*768"};
}

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

    // Everything the painter reads, on the hall screen and on the preview.
    void expectSamePanels(const std::string& where)
    {
        const ScreenPanelState& hall = screen->panel()->state();
        const ScreenPanelState& preview = dialog->preview()->state();
        EXPECT_EQ(hall.kind, preview.kind) << where;
        EXPECT_EQ(hall.subKind, preview.subKind) << where;
        EXPECT_EQ(hall.labels, preview.labels) << where;
        EXPECT_EQ(hall.values, preview.values) << where;
        EXPECT_EQ(hall.topLine, preview.topLine) << where;
        EXPECT_EQ(hall.heading, preview.heading) << where;
        EXPECT_EQ(hall.windowColour, preview.windowColour) << where;
        EXPECT_EQ(hall.bodyColour, preview.bodyColour) << where;
        EXPECT_EQ(hall.showPercentages, preview.showPercentages) << where;
        EXPECT_EQ(tableRows(hall).size(), tableRows(preview).size()) << where;
        for (int i = 0; i < tableRows(hall).size() && i < tableRows(preview).size(); ++i)
            EXPECT_EQ(tableRows(hall)[i].unit, tableRows(preview)[i].unit) << where;
    }

    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<FrmResult> dialog;
};

} // namespace

TEST_F(FrmResultTest, PreviewAndHallShowTheSameInEachView)
{
    // The hall screen had something else on show before the dialog opened.
    screen->showTextArea();
    screen->setHeading("Old heading", Qt::yellow);
    const struct
    {
        ResultRequest request;
        PanelKind chartKind; // what the histogram and pie radios give
    } cases[] = {{motionVote(), PanelKind::Pie}, {election(), PanelKind::Pie}, {scoring(), PanelKind::Table}};
    for (const auto& c : cases) {
        FrmResult& page = open(c.request);
        EXPECT_EQ(screen->surface(), FrmScr::Surface::Panel);
        for (const char* view : kViews) {
            clickButton(&page, view);
            const std::string where = c.request.motionName.toStdString() + " / " + view;
            expectSamePanels(where);
            EXPECT_EQ(screen->panel()->state().values, splitFieldList(c.request.result, 10)) << where;
            EXPECT_TRUE(screen->panel()->state().heading.isEmpty()) << where;
        }
        EXPECT_EQ(screen->panel()->state().kind, c.chartKind);
    }
    EXPECT_EQ(screen->panel()->state().subKind, PanelSubKind::MeanMark);
}

TEST_F(FrmResultTest, ShowsTheMotionItsKindAndCandidates)
{
    ResultRequest request = election();
    request.candidates = "Ana Lima:Bo Chen:";
    FrmResult& page = open(request);
    EXPECT_EQ(findWidget<QLineEdit>(&page, FrmResult::kMotionName)->text(), "Board");
    EXPECT_EQ(findWidget<QLineEdit>(&page, FrmResult::kKindName)->text(), Texts("Public")("VoteType4"));
    EXPECT_EQ(findWidget<QLineEdit>(&page, FrmResult::kVoteTime)->text(), "2026/12/07/-10:30:00");
    const QStringList expected = {"Ana Lima", "Bo Chen", "", "", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(findWidget<QLineEdit>(&page, FrmResult::kCandidates[size_t(i)])->text(), expected[i]) << i;
    EXPECT_TRUE(findWidget<QRadioButton>(&page, FrmResult::kTextView)->isChecked());
    EXPECT_EQ(page.findChild<QLabel*>(FrmResult::kNotVoted), nullptr);
    // The percentages switch reaches both panels as handed in.
    EXPECT_EQ(screen->panel()->state().showPercentages, 2);
}

TEST_F(FrmResultTest, NeverVotedMotionShowsItsLabelsWithoutValues)
{
    ResultRequest request = motionVote();
    request.result.clear();
    FrmResult& page = open(request);
    EXPECT_TRUE(findWidget<QLabel>(&page, FrmResult::kNotVoted)->isVisible());
    const QList<TableRow> rows = tableRows(page.preview()->state());
    ASSERT_EQ(rows.size(), 6);
    const Texts texts("FrmResult");
    EXPECT_EQ(rows[2].label, texts("MsgVote1"));
    EXPECT_EQ(rows[5].label, texts("MsgVote4"));
    for (const TableRow& row : rows)
        EXPECT_TRUE(row.value.isEmpty() && row.unit.isEmpty()) << row.label.toStdString();
}

TEST_F(FrmResultTest, ScreenshotsInEveryLanguage)
{
    const struct
    {
        const char* name;
        ResultRequest request;
        int rows;
    } motions[] = {{"motion", motionVote(), 5}, {"election", election(), 5}, {"scoring", scoring(), 1}};
    const char* const viewNames[] = {"text", "histogram", "pie"};
    for (const char* language : {"0", "1", "2"}) {
        useLanguage(language);
        for (const auto& motion : motions) {
            FrmResult& page = open(motion.request);
            for (int v = 0; v < 3; ++v) {
                clickButton(&page, kViews[v]);
                const QString name =
                    QStringLiteral("result-%1-%2-%3").arg(language, motion.name, viewNames[v]);
                saveScreenshot(page, name);
                saveScreenshot(*screen, name + QStringLiteral("-hall"));
                // Every row of the table has its label in each language (a row without one is left out).
                if (v == 0) {
                    EXPECT_EQ(tableRows(page.preview()->state()).size(), motion.rows) << name.toStdString();
                }
            }
        }
    }
}
