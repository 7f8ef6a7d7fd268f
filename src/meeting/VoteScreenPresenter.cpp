#include "meeting/VoteScreenPresenter.h"

#include "core/LanguageTable.h"
#include "data/FieldList.h"
#include "meeting/VoteCount.h"

namespace {

// The countdown as the procedure writes it; the hall reads it in the language in use.
const QString kDesignedCountdown = QStringLiteral("倒计时:");

// The table's sub-kind of each vote kind, as the result display uses them.
const PanelSubKind kSubKinds[VoteCount::kKinds] = {PanelSubKind::MotionResult,
                                                   PanelSubKind::ThreeCandidatesOneChoice,
                                                   PanelSubKind::ThreeCandidatesSeveralChoices,
                                                   PanelSubKind::FiveCandidatesOneChoice,
                                                   PanelSubKind::FiveCandidatesSeveralChoices,
                                                   PanelSubKind::MeanMark,
                                                   PanelSubKind::MotionResult};

bool knownKind(int kind)
{
    return kind >= 0 && kind < VoteCount::kKinds;
}

// Five key labels (empty where a key has none), then the names that go with keys 1..5.
QString keyLegend(QStringList keyLabels, const QString& names)
{
    while (keyLabels.size() < VoteCount::kKeys)
        keyLabels.append(QString());
    keyLabels.append(names);
    return FieldList::join(keyLabels);
}

} // namespace

VoteScreenPresenter::Words VoteScreenPresenter::Words::fromLanguageTables()
{
    const Texts screen(QStringLiteral("FrmScrText"));
    const Texts page(QStringLiteral("FrmMeeVote"));
    const Texts result(QStringLiteral("FrmResult"));
    const auto text = [&screen](const char* key) { return screen(QString::fromLatin1(key)); };
    Words w;
    w.votePrompt[0] = text("StaticVote1");
    w.votePrompt[1] = text("StaticVote2");
    w.closing[0] = text("StaticVote3");
    w.closing[1] = text("StaticVote4");
    w.scoringPrompt[0] = text("StaticScoring1");
    w.scoringPrompt[1] = text("StaticScoring2");
    w.keyLabels = QStringList{text("StaticEle1"), text("StaticEle2"), text("StaticEle3"), text("StaticEle4"),
                              text("StaticEle5")};
    w.due = page(QStringLiteral("strYD"));
    w.present = page(QStringLiteral("strQD"));
    w.motionKeys = QStringList{text("Static4"), text("Static5"), text("Static6")};
    w.unpressed = text("Static7");
    w.meanMark = text("Static8");
    w.evaluation =
        QStringList{result(QStringLiteral("MsgSatisfied")), result(QStringLiteral("MsgDissatisfied")),
                    result(QStringLiteral("MsgFairlySatisfied"))};
    w.liveTitle = text("ScrTitleVote");
    w.resultTitle = result(QStringLiteral("MsgTitle"));
    w.noResult = text("ScrNoResult");
    w.countdown = text("ScrCountdown");
    w.electedMark = Texts(QStringLiteral("Public"))(QStringLiteral("MsgElected"));
    return w;
}

QList<ScreenPanelState> VoteScreenPresenter::present(Stage stage, const Vote& vote, const Outcome& outcome,
                                                     const PanelColours& colours) const
{
    switch (stage) {
    case Stage::Prompt:
        return {prompt(vote, colours)};
    case Stage::Counting:
        if (!vote.liveFigures || !knownKind(vote.kind))
            return {};
        return {figures(vote, vote.timed ? countdownLine(outcome.countdown) : m_words.liveTitle,
                        outcome.result, false, colours)};
    case Stage::Closing: {
        ScreenPanelState closing = base(vote, colours);
        closing.setKind(PanelKind::ThreeLines, PanelSubKind::None);
        closing.setLines(m_words.closing[0], QString(), m_words.closing[1], colours.text);
        return {closing};
    }
    case Stage::Result: {
        if (!outcome.fromALiveLine) {
            ScreenPanelState none = base(vote, colours);
            none.setKind(PanelKind::Blank, PanelSubKind::None);
            none.setTopLine(m_words.noResult, colours.text, 0);
            return {none};
        }
        QList<ScreenPanelState> shown;
        if (knownKind(vote.kind))
            shown.append(figures(vote, m_words.resultTitle, outcome.result, true, colours));
        if (vote.passTextAtEnd && !outcome.passText.isEmpty())
            shown.append(passText(vote, outcome.passText, colours));
        return shown;
    }
    case Stage::PassText: {
        // The pass text may hold ":" itself: it is everything from its field to the last ":".
        constexpr int kPassField = 10;
        const QString text = FieldList::split(outcome.result).mid(kPassField).join(QLatin1Char(':'));
        if (text.isEmpty())
            return {};
        return {passText(vote, text, colours)};
    }
    }
    return {};
}

ScreenPanelState VoteScreenPresenter::withCountdown(ScreenPanelState shown, const QString& countdown) const
{
    shown.setTopLine(countdownLine(countdown), shown.headingColour, 0);
    return shown;
}

ScreenPanelState VoteScreenPresenter::empty(const PanelColours& colours)
{
    ScreenPanelState state;
    state.setColours(colours.screen, colours.screen);
    state.setHeading(QString(), colours.text);
    state.setTopLine(QString(), colours.text, 0);
    state.setLines(QString(), QString(), QString(), colours.text);
    state.setChart(QString(), QString(), colours.text);
    return state;
}

ScreenPanelState VoteScreenPresenter::base(const Vote& vote, const PanelColours& colours) const
{
    // What is being decided heads every stage.
    ScreenPanelState state = empty(colours);
    state.setHeading(vote.title, colours.text);
    state.setShowPercentages(vote.showPercentages ? 1 : 2); // the screen's flag
    return state;
}

ScreenPanelState VoteScreenPresenter::prompt(const Vote& vote, const PanelColours& colours) const
{
    ScreenPanelState state = base(vote, colours);
    const auto legend = [&](qsizetype keys, const QString& names) {
        state.setKind(PanelKind::KeyLegend, PanelSubKind::None);
        state.setChart(keyLegend(m_words.keyLabels.mid(0, keys), names), QString(), colours.text);
    };
    switch (vote.kind) {
    case 0:
        state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
        state.setLines(m_words.votePrompt[0], QString(), m_words.votePrompt[1], colours.text);
        break;
    case 1:
    case 2:
        legend(3, FieldList::join(vote.candidates));
        break;
    case 3:
    case 4:
        legend(VoteCount::kKeys, FieldList::join(vote.candidates));
        break;
    case 5:
        state.setKind(PanelKind::ThreeLines, PanelSubKind::None);
        state.setLines(m_words.scoringPrompt[0], QString(), m_words.scoringPrompt[1], colours.text);
        break;
    case 6:
        legend(3, FieldList::join(m_words.evaluation));
        break;
    default:
        break;
    }
    return state;
}

ScreenPanelState VoteScreenPresenter::figures(const Vote& vote, const QString& title, const QString& result,
                                              bool final, const PanelColours& colours) const
{
    ScreenPanelState state = base(vote, colours);
    state.setKind(PanelKind::Table, kSubKinds[vote.kind]);
    state.setTopLine(title, colours.text, 0);
    state.setChart(labels(vote, final ? result : QString()), result, colours.text);
    return state;
}

ScreenPanelState VoteScreenPresenter::passText(const Vote& vote, const QString& text,
                                               const PanelColours& colours) const
{
    // Nothing but the pass text: a blank body under the top line, of the figures' sub-kind.
    ScreenPanelState state = base(vote, colours);
    if (knownKind(vote.kind))
        state.setKind(PanelKind::Blank, kSubKinds[vote.kind]);
    state.setTopLine(text, colours.text, 0);
    return state;
}

QString VoteScreenPresenter::labels(const Vote& vote, const QString& finalResult) const
{
    const QStringList candidates = FieldList::exactly(
        finalResult.isEmpty() ? vote.candidates
                              : VoteCount::markElected(vote.kind, vote.candidates, finalResult, vote.seats,
                                                       m_words.electedMark),
        VoteCount::kMaxFields);
    const QStringList heads{m_words.due, m_words.present};
    switch (vote.kind) {
    case 0:
        return FieldList::join(heads + m_words.motionKeys << m_words.unpressed);
    case 1:
        return FieldList::join(candidates.mid(0, 3) << m_words.unpressed);
    case 2:
    case 3:
    case 4:
        return FieldList::join(candidates);
    case 5:
        return FieldList::join({m_words.meanMark});
    case 6:
        return FieldList::join(heads + m_words.evaluation << m_words.unpressed);
    default:
        return QString();
    }
}

QString VoteScreenPresenter::countdownLine(const QString& countdown) const
{
    if (!countdown.startsWith(kDesignedCountdown))
        return countdown;
    return m_words.countdown.arg(countdown.mid(kDesignedCountdown.size()));
}
