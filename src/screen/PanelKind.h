#pragma once
// What the screen panel's body shows (the display kind) and how a chart reads
// its labels and values (the sub-kind). The numbers are the designed ones:
// pages choose them by vote kind, and they stay stable for that reason.

enum class PanelKind
{
    Blank = 0,
    Histogram = 1,
    Pie = 2,
    Table = 3,
    ThreeLines = 4,
    KeyLegend = 5
};

enum class PanelSubKind
{
    None = 0,
    // Motion vote and evaluation: the full result string, its first field the `Unit` flag.
    MotionResult = 1,
    // Elections: up to three candidates with one or several choices, up to five likewise.
    ThreeCandidatesOneChoice = 2,
    ThreeCandidatesSeveralChoices = 3,
    FiveCandidatesOneChoice = 4,
    FiveCandidatesSeveralChoices = 5,
    // Scoring: one row, the mean mark.
    MeanMark = 6,
    // Sign-in figures: due, present, absent.
    SignInFigures = 7
};
