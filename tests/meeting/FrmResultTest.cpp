#include "meeting/FrmResult.h"

#include "core/LanguageTable.h"
#include "data/FieldList.h"
#include "data/Schema.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <memory>

namespace {

const ResultRequest kMotion{"Plenary",
                            "Budget 2027",
                            0,
                            {},
                            "1:50:48:30:10:8:3:60.00%:20.00%:16.00%:Passed:",
                            QDateTime(QDate(2026, 12, 7), QTime(10, 15)),
                            true,
                            "1024*768"};
const ResultRequest kElection{"Plenary",
                              "Board",
                              3,
                              {"Ana Lima", "Bo Chen", "Carla Souza", "Dai Wei", "Eva Novak"},
                              "12:9:7:15:5:",
                              QDateTime(QDate(2026, 12, 7), QTime(10, 30)),
                              false,
                              "1024*768"};

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

TEST_F(FrmResultTest, PreviewAndHallShowTheSameInEachView)
{
    for (const ResultRequest& request : {kMotion, kElection}) {
        screen->setHeading("Left over", Qt::yellow); // the preview starts without it
        FrmResult& page = open(request);
        for (const char* view : {FrmResult::kTextView, FrmResult::kHistogramView, FrmResult::kPieView}) {
            clickButton(&page, view);
            const ScreenPanelState& hall = screen->panel()->state();
            const ScreenPanelState& preview = page.preview()->state();
            EXPECT_EQ(std::tie(hall.kind, hall.subKind, hall.labels, hall.values, hall.topLine, hall.heading,
                               hall.windowColour, hall.showPercentages),
                      std::tie(preview.kind, preview.subKind, preview.labels, preview.values, preview.topLine,
                               preview.heading, preview.windowColour, preview.showPercentages))
                << view;
            EXPECT_EQ(hall.values, FieldList::split(request.result, 10)) << view;
        }
        EXPECT_EQ(screen->panel()->state().kind, PanelKind::Pie);
    }
}

TEST_F(FrmResultTest, NeverVotedMotionShowsItsLabelsWithoutValues)
{
    ResultRequest request = kMotion;
    request.result.clear();
    const QList<TableRow> rows = tableRows(open(request).preview()->state());
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[2].label, Texts("FrmResult")("MsgVote1"));
    for (const TableRow& row : rows)
        EXPECT_TRUE(row.value.isEmpty() && row.unit.isEmpty()) << row.label.toStdString();
}
