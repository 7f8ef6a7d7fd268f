#include "meeting/ResultView.h"

#include <gtest/gtest.h>

using ResultView::Display;
using ResultView::display;

namespace {

ResultView::LabelTexts labels()
{
    ResultView::LabelTexts t;
    t.due = "Due";
    t.present = "Present";
    t.yes = "Yes";
    t.no = "No";
    t.abstain = "Abstain";
    t.unpressed = "Silent";
    t.noKey = "None";
    t.meanMark = "Mean";
    return t;
}

} // namespace

TEST(ResultView, SubKindAndLabelsOfEachKind)
{
    const QString five = "A:B:C:D:E:";
    struct Case
    {
        int kind;
        PanelSubKind subKind;
        QString labels;
    } cases[] = {
        {0, PanelSubKind::MotionResult, "Due:Present:Yes:No:Abstain:Silent:"},
        {1, PanelSubKind::ThreeCandidatesOneChoice, "A:B:C:D:E:None:"},
        {2, PanelSubKind::ThreeCandidatesSeveralChoices, five},
        {3, PanelSubKind::FiveCandidatesOneChoice, five},
        {4, PanelSubKind::FiveCandidatesSeveralChoices, five},
        {5, PanelSubKind::MeanMark, "Mean:"},
        {6, PanelSubKind::MotionResult, "Due:Present:满意:不满意:基本满意:Silent:"},
    };
    for (const Case& c : cases) {
        for (PanelKind view : {PanelKind::Table, PanelKind::Histogram, PanelKind::Pie}) {
            const Display shown = display(c.kind, view, five, labels());
            // Scoring has one mean mark: always a table.
            const PanelKind expected = c.kind == 5 ? PanelKind::Table : view;
            EXPECT_EQ(shown, (Display{expected, c.subKind, c.labels}))
                << "kind " << c.kind << " view " << int(view);
        }
    }
}

TEST(ResultView, CandidateListsKeepWholeFieldsOnly)
{
    // Two candidates: key 3 of the single choice is labelled as no choice.
    EXPECT_EQ(display(1, PanelKind::Table, "A:B:", labels()).labels, "A:B:None:");
    // A last name without its ":" is no field, so it cannot run into the label after it.
    EXPECT_EQ(display(1, PanelKind::Table, "A:B:C", labels()).labels, "A:B:None:");
    EXPECT_EQ(display(3, PanelKind::Pie, "A:B:C:D:E:F:G:", labels()).labels, "A:B:C:D:E:");
    EXPECT_EQ(display(2, PanelKind::Table, "", labels()).labels, "");
}

TEST(ResultView, UnknownKindShowsNothing)
{
    for (int kind : {-1, 7})
        EXPECT_EQ(display(kind, PanelKind::Histogram, "A:", labels()),
                  (Display{PanelKind::Histogram, PanelSubKind::None, QString()}));
}
