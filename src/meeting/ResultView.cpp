#include "meeting/ResultView.h"

#include "meeting/SignInCount.h"
#include "meeting/VoteCount.h"

namespace ResultView {

Display display(int voteKind, PanelKind view, const QString& candidates, const LabelTexts& t)
{
    const QStringList names = VoteCount::fields(candidates);
    switch (voteKind) {
    case 0:
        return {view, PanelSubKind::MotionResult,
                SignInCount::fieldList({t.due, t.present, t.yes, t.no, t.abstain, t.unpressed})};
    case 1:
        return {view, PanelSubKind::ThreeCandidatesOneChoice,
                SignInCount::fieldList(names + QStringList{t.noKey})};
    case 2:
        return {view, PanelSubKind::ThreeCandidatesSeveralChoices, SignInCount::fieldList(names)};
    case 3:
        return {view, PanelSubKind::FiveCandidatesOneChoice, SignInCount::fieldList(names)};
    case 4:
        return {view, PanelSubKind::FiveCandidatesSeveralChoices, SignInCount::fieldList(names)};
    case 5:
        return {PanelKind::Table, PanelSubKind::MeanMark, SignInCount::fieldList({t.meanMark})};
    case 6:
        return {view, PanelSubKind::MotionResult,
                SignInCount::fieldList(
                    {t.due, t.present, t.satisfied, t.dissatisfied, t.fairlySatisfied, t.unpressed})};
    default:
        return {view, PanelSubKind::None, QString()};
    }
}

} // namespace ResultView
