#include "screen/ScreenPanelState.h"

#include "data/FieldList.h"
#include "screen/ScreenGeometry.h"

QColor chartColour(int index)
{
    static const quint32 palette[kChartPaletteSize] = {0x0000EB, 0x00EB00, 0x00EBEB, 0x3399EB, 0x9933EB,
                                                       0xCC0099, 0xE1E100, 0x0000FF, 0x00FF00, 0x00FFFF,
                                                       0x3399FF, 0x9933FF, 0xF40099, 0xFFFF00};
    const int i = ((index % kChartPaletteSize) + kChartPaletteSize) % kChartPaletteSize;
    return colourFromRef(palette[i]);
}

void ScreenPanelState::setColours(const QColor& window, const QColor& chartArea)
{
    windowColour = window;
    chartAreaColour = chartArea;
    kind = PanelKind::Blank;
}

void ScreenPanelState::setKind(PanelKind newKind, PanelSubKind newSubKind)
{
    kind = newKind;
    subKind = newSubKind;
}

void ScreenPanelState::setHeading(const QString& text, const QColor& colour)
{
    heading = text;
    headingColour = colour;
}

void ScreenPanelState::setTopLine(const QString& text, const QColor& colour, int fontSwitch)
{
    topLine = text;
    headingColour = colour;
    topLineFont = fontSwitch;
}

void ScreenPanelState::setLines(const QString& first, const QString& second, const QString& third,
                                const QColor& colour)
{
    line1 = first;
    line2 = second;
    line3 = third;
    bodyColour = colour;
}

void ScreenPanelState::setChart(const QString& labelText, const QString& valueText, const QColor& colour)
{
    labels = FieldList::split(labelText, kMaxChartFields);
    values = FieldList::split(valueText, kMaxChartFields);
    bodyColour = colour;
}

void ScreenPanelState::setUnitWords(const QString& persons, const QString& votes)
{
    personsWord = persons;
    votesWord = votes;
}

void ScreenPanelState::takeContent(const ScreenPanelState& shown)
{
    const QString persons = personsWord;
    const QString votes = votesWord;
    *this = shown;
    setUnitWords(persons, votes);
}

namespace {

QString field(const QStringList& fields, int i)
{
    return i >= 0 && i < fields.size() ? fields.at(i) : QString();
}

double number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && value > 0 ? value : 0.0;
}

// Rows of a motion vote: due, present and three key counts, and the unpressed
// count as well unless the unpressed are counted as abstaining (`Unit` "1").
int motionRowCount(const ScreenPanelState& state)
{
    return field(state.values, 0) == QLatin1String("1") ? 5 : 6;
}

// The first value field of percentages in a motion vote's result string.
constexpr int kFirstPercentField = 7;

QString motionPercent(const ScreenPanelState& state, int row)
{
    if (state.showPercentages != 1 || row < 2 || row > 4)
        return QString();
    return field(state.values, kFirstPercentField + row - 2);
}

} // namespace

QList<TableRow> tableRows(const ScreenPanelState& s)
{
    QList<TableRow> rows;
    auto add = [&rows](int row, const QString& label, const QString& value, const QString& unit,
                       const QString& percent) {
        if (label.isEmpty())
            return;
        rows.append({label, value, value.isEmpty() ? QString() : unit, percent, row});
    };
    switch (s.subKind) {
    case PanelSubKind::MotionResult:
        for (int i = 0; i < motionRowCount(s); ++i)
            add(i, field(s.labels, i), field(s.values, i + 1), i < 2 ? s.personsWord : s.votesWord,
                motionPercent(s, i));
        break;
    case PanelSubKind::ThreeCandidatesOneChoice:
    case PanelSubKind::ThreeCandidatesSeveralChoices:
    case PanelSubKind::FiveCandidatesOneChoice:
    case PanelSubKind::FiveCandidatesSeveralChoices:
        for (int i = 0; i < 5; ++i)
            add(i, field(s.labels, i), field(s.values, i), s.votesWord, QString());
        break;
    case PanelSubKind::MeanMark:
        add(0, field(s.labels, 0), field(s.values, 0), QString(), QString());
        break;
    case PanelSubKind::SignInFigures:
        for (int i = 0; i < 5; ++i)
            add(i, field(s.labels, i), field(s.values, i), i < 3 ? s.personsWord : QString(), QString());
        break;
    case PanelSubKind::None:
        break;
    }
    return rows;
}

QList<ChartItem> histogramItems(const ScreenPanelState& s)
{
    QList<ChartItem> items;
    if (s.subKind == PanelSubKind::MotionResult) {
        if (s.values.isEmpty())
            return items;
        for (int i = 0; i < motionRowCount(s); ++i) {
            const QString value = field(s.values, i + 1);
            items.append({field(s.labels, i), value, number(value), motionPercent(s, i), i});
        }
        return items;
    }
    const int slotCount = ScreenGeometry::maxBars(s.subKind);
    if (slotCount == 0)
        return items;
    for (int i = 0; i < slotCount && i < s.values.size(); ++i) {
        if (field(s.labels, i).isEmpty())
            continue;
        items.append({s.labels.at(i), s.values.at(i), number(s.values.at(i)), QString(), i});
    }
    return items;
}

QList<ChartItem> pieItems(const ScreenPanelState& s)
{
    QList<ChartItem> items;
    if (s.subKind == PanelSubKind::MotionResult) {
        if (s.values.isEmpty())
            return items;
        for (int i = 2; i < motionRowCount(s); ++i) {
            const QString value = field(s.values, i + 1);
            items.append({field(s.labels, i), value, number(value), motionPercent(s, i), int(items.size())});
        }
        return items;
    }
    QList<ChartItem> bars = histogramItems(s);
    for (int i = 0; i < bars.size(); ++i)
        bars[i].slot = i;
    return bars;
}
