// What the hall shows of a vote (kind x stage x outcome) and of a sign-in, as panel states.

#include "data/FieldList.h"
#include "meeting/SignInScreenPresenter.h"
#include "meeting/VoteScreenPresenter.h"

#include <gtest/gtest.h>

namespace {

using Stage = VoteScreenPresenter::Stage;
const PanelColours kColours{QColor(0, 32, 96), Qt::yellow};
const QStringList kCandidates{"Ana", "Bo", "Chen", "Dee", "Eve"};

VoteScreenPresenter presenter()
{
    VoteScreenPresenter::Words w;
    w.votePrompt[0] = "Vote now", w.votePrompt[1] = "Press a key";
    w.closing[0] = "Voting ends", w.closing[1] = "Reading";
    w.scoringPrompt[0] = "Score now", w.scoringPrompt[1] = "Press a mark";
    w.keyLabels = QStringList{"K1", "K2", "K3", "K4", "K5"};
    w.due = "Due", w.present = "Present", w.unpressed = "None", w.meanMark = "Mean";
    w.motionKeys = QStringList{"Yes", "No", "Abstain"};
    w.evaluation = QStringList{"Good", "Bad", "Fair"};
    w.liveTitle = "Counting", w.resultTitle = "Result", w.noResult = "No result";
    w.countdown = "Left %1", w.electedMark = "*";
    return VoteScreenPresenter(w);
}

// Stage, outcome and flags of a vote of `kind` on "Budget"; each panel expected as "kind;top line;line 1/line
// 3;labels".
struct Case
{
    int kind;
    Stage stage;
    VoteScreenPresenter::Outcome outcome;
    QStringList panels;
    bool timed = false;
    bool live = true;
};

} // namespace

TEST(ScreenPresenterTest, EachKindAndStageGivesItsPanelsUnderTheTitle)
{
    const QString motion = "1:40:30:18:7:5:0:45.00%:17.50%:12.50%:Passed: at last:";
    const QString live = "1:40:30:18:";
    const Case cases[] = {
        {0, Stage::Prompt, {}, {"4;;Vote now/Press a key;"}},
        {1, Stage::Prompt, {}, {"5;;/;K1|K2|K3|||Ana|Bo|Chen|Dee|Eve"}},
        {4, Stage::Prompt, {}, {"5;;/;K1|K2|K3|K4|K5|Ana|Bo|Chen|Dee|Eve"}},
        {5, Stage::Prompt, {}, {"4;;Score now/Press a mark;"}},
        {6, Stage::Prompt, {}, {"5;;/;K1|K2|K3|||Good|Bad|Fair|"}},
        {0, Stage::Counting, {live, "", true, ""}, {"3;Counting;/;Due|Present|Yes|No|Abstain|None"}},
        {0,
         Stage::Counting,
         {live, "", true, "倒计时:00:04"},
         {"3;Left 00:04;/;Due|Present|Yes|No|Abstain|None"},
         true},
        {0, Stage::Counting, {live, "", true, "倒计时:00:04"}, {}, true, false},
        // Only the final count marks the elected (two seats).
        {1, Stage::Counting, {"2:4:1:", "", true, ""}, {"3;Counting;/;Ana|Bo|Chen|None"}},
        {3, Stage::Result, {"2:4:0:3:0:", "", true, ""}, {"3;Result;/;Ana|Bo (*)|Chen|Dee (*)|Eve"}},
        {5, Stage::Result, {"3.5:", "", true, ""}, {"3;Result;/;Mean"}},
        {6, Stage::Result, {"1:40:30:9:", "", true, ""}, {"3;Result;/;Due|Present|Good|Bad|Fair|None"}},
        {2, Stage::Closing, {}, {"4;;Voting ends/Reading;"}},
        // A dead line's count is no verdict; a live one's pass text follows its figures when asked to.
        {0, Stage::Result, {motion, "Passed", false, ""}, {"0;No result;/;"}, true},
        {0,
         Stage::Result,
         {motion, "Passed", true, ""},
         {"3;Result;/;Due|Present|Yes|No|Abstain|None", "0;Passed;/;"},
         true},
        {0, Stage::PassText, {motion, "", true, ""}, {"0;Passed: at last;/;"}},
        {0, Stage::PassText, {live + "7:5:0:45.00%:17.50%:12.50%:", "", true, ""}, {}},
    };
    const VoteScreenPresenter vote = presenter();
    for (const Case& c : cases) {
        // A timed vote here also shows its pass text by itself at the end.
        const VoteScreenPresenter::Vote shown{c.kind, "Budget", kCandidates, 2,
                                              true,   c.live,   c.timed,     c.timed};
        const QList<ScreenPanelState> panels = vote.present(c.stage, shown, c.outcome, kColours);
        const std::string row =
            QStringLiteral("kind %1, stage %2").arg(c.kind).arg(int(c.stage)).toStdString();
        QStringList seen;
        for (const ScreenPanelState& p : panels) {
            seen << QStringLiteral("%1;%2;%3/%4;%5")
                        .arg(int(p.kind))
                        .arg(p.topLine, p.line1, p.line3, p.labels.join('|'));
            // Every panel is whole: headed by what is decided, in the screen's colours, nothing left over.
            EXPECT_EQ(std::tuple(p.heading, p.line2, p.windowColour, p.bodyColour, p.showPercentages),
                      std::tuple(QString("Budget"), QString(), kColours.screen, kColours.text, 1))
                << row;
            if (p.kind == PanelKind::Table) {
                EXPECT_EQ(p.values, FieldList::split(c.outcome.result, ScreenPanelState::kMaxChartFields))
                    << row;
            } else if (p.kind != PanelKind::Blank) {
                EXPECT_EQ(p.subKind, PanelSubKind::None) << row;
            }
        }
        EXPECT_EQ(seen, c.panels) << row;
    }
}

TEST(ScreenPresenterTest, TheCountdownTicksOnTheTopLineAlone)
{
    const VoteScreenPresenter vote = presenter();
    const VoteScreenPresenter::Vote shown{3, "Board", kCandidates, 2, false, false, true, false};
    const ScreenPanelState prompt = vote.present(Stage::Prompt, shown, {}, kColours).first();
    ScreenPanelState expected = prompt;
    expected.topLine = "Left 00:09";
    EXPECT_EQ(vote.withCountdown(prompt, "倒计时:00:09"), expected);
    expected.topLine = "00:08";
    EXPECT_EQ(vote.withCountdown(prompt, "00:08"), expected);
}

TEST(ScreenPresenterTest, SignInFiguresKeepTheLinesBeforeThemAndTheNextLinesClearTheHeading)
{
    SignInScreenPresenter signIn;
    const ScreenPanelState prompt = signIn.lines("Sign in", "Press the key", kColours);
    EXPECT_EQ(std::tuple(prompt.kind, prompt.heading, prompt.line1, prompt.line3),
              std::tuple(PanelKind::ThreeLines, QString(), QString("Sign in"), QString("Press the key")));
    const ScreenPanelState figures =
        signIn.figures("Sign in:00:05", "40:30:10:", "Due:Present:Absent:", kColours);
    EXPECT_EQ(std::tuple(figures.kind, figures.subKind, figures.heading, figures.topLine, figures.line1),
              std::tuple(PanelKind::Table, PanelSubKind::SignInFigures, QString("Sign in:00:05"), QString(),
                         QString("Sign in")));
    EXPECT_EQ(figures.values, (QStringList{"40", "30", "10"}));
    const ScreenPanelState ended = signIn.lines("Ended", "Thank you", kColours);
    EXPECT_EQ(std::tuple(ended.kind, ended.heading, ended.line1, ended.bodyColour),
              std::tuple(PanelKind::ThreeLines, QString(), QString("Ended"), kColours.text));
}
