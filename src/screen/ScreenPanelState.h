#pragma once
// What the screen panel shows: the display kind and sub-kind, heading, top
// line, the three lines, the two chart texts and the colours. Pages change it
// only through the set operations; the painter reads it. The same state serves
// the hall screen and the previews inside the voting and result pages.
//
// The chart texts are field lists ("a:b:c:"): the labels and the values that
// go with them, the i-th label with the i-th value. Sub-kind 1 takes a vote's
// full result string as values, whose first field is its `Unit` flag.

#include "screen/PanelKind.h"

#include "data/StoredColour.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// The two colours a page takes from the hall screen for a panel: the screen's
// background (window and chart area) and its text.
struct PanelColours
{
    QColor screen;
    QColor text;
};

// The chart palette, in the order the bars and slices take it (wraps after 14).
QColor chartColour(int index);
constexpr int kChartPaletteSize = 14;

class ScreenPanelState
{
public:
    static constexpr int kMaxChartFields = 10;

    // Also sets the kind to 0, so a page sets the kind after the colours.
    void setColours(const QColor& window, const QColor& chartArea);
    void setKind(PanelKind kind, PanelSubKind subKind);
    void setHeading(const QString& text, const QColor& colour);
    void setTopLine(const QString& text, const QColor& colour, int fontSwitch);
    void setLines(const QString& line1, const QString& line2, const QString& line3, const QColor& colour);
    // Labels first, values second; each split into at most 10 fields. Kind 5 takes
    // its key legend (five key labels, then the names of keys 1..5) as labels.
    void setChart(const QString& labels, const QString& values, const QColor& colour);
    // 1 shows percentages in the table of a motion vote; anything else does not.
    void setShowPercentages(int value) { showPercentages = value; }
    // The words after persons and votes in the table ("人" and "票" unless the language table has others).
    void setUnitWords(const QString& persons, const QString& votes);
    // Everything `shown` holds but the unit words, which stay this panel's own (its screen's language).
    void takeContent(const ScreenPanelState& shown);

    bool operator==(const ScreenPanelState&) const = default;

    PanelKind kind = PanelKind::Blank;
    PanelSubKind subKind = PanelSubKind::None;
    QString heading;
    QString topLine;
    int topLineFont = 0; // 0: 黑体, non-zero: 楷体
    QString line1;
    QString line2;
    QString line3;
    QStringList labels; // at most 10
    QStringList values; // at most 10
    QColor headingColour = Qt::white;
    QColor bodyColour = Qt::white;
    QColor windowColour = QColor(0, 0, 255);
    QColor chartAreaColour = QColor(0, 0, 255);
    int showPercentages = 2;
    QString personsWord = QStringLiteral("人");
    QString votesWord = QStringLiteral("票");
};

// What the table view (kind 3) writes, row by row, for the panel's sub-kind.
// Rows without a label are left out (an unnamed candidate slot).
struct TableRow
{
    QString label;
    QString value;
    QString unit;    // empty when the row has no unit word or no value
    QString percent; // only on the key rows of a motion vote with percentages shown
    int row = 0;     // position from the top (rows left out keep their place)
};
QList<TableRow> tableRows(const ScreenPanelState& state);

// One bar of the histogram or one slice of the pie.
struct ChartItem
{
    QString label;
    QString valueText;
    double value = 0;
    QString percent;
    int slot = 0; // position of the bar (0-based); also the palette index
};
// Bars: one per value field of the sub-kind (5 or 6 for a motion vote, as in its table).
QList<ChartItem> histogramItems(const ScreenPanelState& state);
// Slices: for a motion vote only the key counts (a share of due and present means nothing).
QList<ChartItem> pieItems(const ScreenPanelState& state);
