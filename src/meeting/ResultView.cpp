#include "meeting/ResultView.h"

#include "data/FieldList.h"
#include "meeting/VoteCount.h"

namespace ResultView {

Display display(int voteKind, PanelKind view, const QString& candidates, const LabelTexts& t)
{
    const QStringList names = FieldList::split(candidates, VoteCount::kMaxFields);
    switch (voteKind) {
    case 0:
        return {view, PanelSubKind::MotionResult,
                FieldList::join({t.due, t.present, t.yes, t.no, t.abstain, t.unpressed})};
    case 1:
        return {view, PanelSubKind::ThreeCandidatesOneChoice, FieldList::join(names + QStringList{t.noKey})};
    case 2:
        return {view, PanelSubKind::ThreeCandidatesSeveralChoices, FieldList::join(names)};
    case 3:
        return {view, PanelSubKind::FiveCandidatesOneChoice, FieldList::join(names)};
    case 4:
        return {view, PanelSubKind::FiveCandidatesSeveralChoices, FieldList::join(names)};
    case 5:
        return {PanelKind::Table, PanelSubKind::MeanMark, FieldList::join({t.meanMark})};
    case 6:
        return {
            view, PanelSubKind::MotionResult,
            FieldList::join({t.due, t.present, t.satisfied, t.dissatisfied, t.fairlySatisfied, t.unpressed})};
    default:
        return {view, PanelSubKind::None, QString()};
    }
}

} // namespace ResultView
