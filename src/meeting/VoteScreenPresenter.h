#pragma once
// What the hall screen shows of a vote, stage by stage, as whole panel states.
// The voting page pushes each state once, to the hall screen and to its
// preview alike, and decides nothing about their content itself.
//
// Every stage builds its panel from nothing under the title of what is
// decided, so no line of an earlier stage (or of the sign-in) stays behind.

#include "screen/ScreenPanelState.h"

#include <QList>

class VoteScreenPresenter
{
public:
    enum class Stage
    {
        Prompt,   // the vote has started: what the keys mean
        Counting, // the figures changed while the keys are counted
        Closing,  // End was pressed: the last answers are read
        Result,   // the vote has ended
        PassText, // the operator asks for the stored pass text
    };

    // The language table's words of the hall screen (FrmScrText), the voting page and the result display.
    struct Words
    {
        QString votePrompt[2];    // StaticVote1, StaticVote2: the lines of a motion vote's prompt
        QString closing[2];       // StaticVote3, StaticVote4
        QString scoringPrompt[2]; // StaticScoring1, StaticScoring2
        QStringList keyLabels;    // StaticEle1..5: the keys of an election's legend
        QString due;              // strYD
        QString present;          // strQD
        QStringList motionKeys;   // Static4..6: yes, no, abstain
        QString unpressed;        // Static7
        QString meanMark;         // Static8
        QStringList evaluation;   // satisfied, dissatisfied, fairly satisfied (the result display's)
        QString liveTitle;        // ScrTitleVote: above live figures without a time limit
        QString resultTitle;      // the result display's title, above the final figures
        QString noResult;         // ScrNoResult: a dead line's count is no verdict
        QString countdown;        // ScrCountdown, "%1" the time left
        QString electedMark;      // after an elected candidate's name

        static Words fromLanguageTables();
    };

    // What the hall needs of the motion being voted.
    struct Vote
    {
        int kind = -1; // 0..6 as VoteCount counts them
        QString title;
        QStringList candidates; // of an election
        int seats = 1;
        bool showPercentages = false; // the table of a motion vote shows percentages
        bool liveFigures = false;     // the figures are shown while the keys are counted
        bool timed = false;           // the countdown heads the live figures
        bool passTextAtEnd = false;   // the pass text follows the final figures by itself
    };

    // What the vote has come to at the stage.
    struct Outcome
    {
        QString result;   // the result string (at PassText: the stored one, pass text included)
        QString passText; // at Result
        bool fromALiveLine = true;
        QString countdown; // the procedure's countdown text when the figures changed
    };

    explicit VoteScreenPresenter(Words words) : m_words(std::move(words)) {}

    // The panels to show at `stage`, in order; none when the hall stays as it is.
    QList<ScreenPanelState> present(Stage stage, const Vote& vote, const Outcome& outcome,
                                    const PanelColours& colours) const;
    // `shown` with the procedure's countdown text, in the language in use, as its top line.
    ScreenPanelState withCountdown(ScreenPanelState shown, const QString& countdown) const;
    // An empty panel: a motion that is only selected shows nothing yet.
    static ScreenPanelState empty(const PanelColours& colours);

private:
    ScreenPanelState base(const Vote& vote, const PanelColours& colours) const;
    ScreenPanelState prompt(const Vote& vote, const PanelColours& colours) const;
    // With final figures the elected candidates are marked.
    ScreenPanelState figures(const Vote& vote, const QString& title, const QString& result, bool final,
                             const PanelColours& colours) const;
    ScreenPanelState passText(const Vote& vote, const QString& text, const PanelColours& colours) const;
    QString labels(const Vote& vote, const QString& finalResult) const;
    QString countdownLine(const QString& countdown) const;

    Words m_words;
};
