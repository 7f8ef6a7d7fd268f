#include "meeting/ResultView.h"

#include <gtest/gtest.h>

using ResultView::Display;
using ResultView::display;

TEST(ResultView, SubKindAndLabelsOfEachKind)
{
    const ResultView::LabelTexts t{"Due", "Present", "Yes", "No", "Abstain", "Silent", "None", "Mean"};
    const QString five = "A:B:C:D:E:";
    const struct
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
        {7, PanelSubKind::None, ""},
    };
    for (const auto& c : cases) {
        for (PanelKind view : {PanelKind::Table, PanelKind::Histogram, PanelKind::Pie}) {
            // Scoring has one mean mark: always a table.
            const PanelKind kind = c.kind == 5 ? PanelKind::Table : view;
            EXPECT_EQ(display(c.kind, view, five, t), (Display{kind, c.subKind, c.labels}))
                << "kind " << c.kind << " view " << int(view);
        }
    }
}
