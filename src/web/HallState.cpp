#include "web/HallState.h"

#include <QJsonArray>

namespace {

QString colourText(const QColor& colour)
{
    return colour.name(QColor::HexRgb);
}

QString kindName(PanelKind kind)
{
    switch (kind) {
    case PanelKind::Histogram:
        return QStringLiteral("histogram");
    case PanelKind::Pie:
        return QStringLiteral("pie");
    case PanelKind::Table:
        return QStringLiteral("table");
    case PanelKind::ThreeLines:
        return QStringLiteral("lines");
    case PanelKind::KeyLegend:
        return QStringLiteral("legend");
    case PanelKind::Blank:
        break;
    }
    return QStringLiteral("blank");
}

QString surfaceName(HallState::Surface surface)
{
    switch (surface) {
    case HallState::Surface::Panel:
        return QStringLiteral("panel");
    case HallState::Surface::NameGrid:
        return QStringLiteral("grid");
    case HallState::Surface::TextArea:
        break;
    }
    return QStringLiteral("text");
}

QJsonArray chartJson(const QList<ChartItem>& items)
{
    QJsonArray chart;
    for (const ChartItem& item : items)
        chart.append(QJsonObject{{QStringLiteral("label"), item.label},
                                 {QStringLiteral("value"), item.valueText},
                                 {QStringLiteral("amount"), item.value},
                                 {QStringLiteral("percent"), item.percent},
                                 {QStringLiteral("colour"), colourText(chartColour(item.slot))}});
    return chart;
}

} // namespace

void HallState::setSurface(Surface surface)
{
    m_surface = surface;
    publish(QStringLiteral("surface"), surfaceName(surface));
}

void HallState::setScreenColours(const QColor& background, const QColor& text)
{
    m_background = background;
    m_text = text;
    publish(QStringLiteral("screen"), QJsonObject{{QStringLiteral("background"), colourText(background)},
                                                  {QStringLiteral("text"), colourText(text)}});
}

void HallState::setText(const QString& plainText)
{
    if (plainText == m_plainText)
        return;
    m_plainText = plainText;
    publish(QStringLiteral("text"), plainText);
}

void HallState::setTrainingNote(const QString& text)
{
    m_trainingNote = text;
    publish(QStringLiteral("training"), text);
}

void HallState::setPageTexts(const QJsonObject& texts)
{
    m_pageTexts = texts;
    publish(QStringLiteral("texts"), texts);
}

void HallState::setUnitWords(const QString& persons, const QString& votes)
{
    m_panel.setUnitWords(persons, votes);
    panelChanged(true);
}

void HallState::setPanel(const ScreenPanelState& state)
{
    ScreenPanelState next = m_panel;
    next.takeContent(state);
    ScreenPanelState untimed = next;
    untimed.topLine = m_panel.topLine;
    const bool tickOnly = next != m_panel && untimed == m_panel;
    m_panel = next;
    panelChanged(!tickOnly);
}

void HallState::setPanelColours(const QColor& window, const QColor& chartArea)
{
    m_panel.setColours(window, chartArea);
    panelChanged(false);
}

void HallState::setKind(PanelKind kind, PanelSubKind subKind)
{
    m_panel.setKind(kind, subKind);
    panelChanged(true);
}

void HallState::setHeading(const QString& text, const QColor& colour)
{
    m_panel.setHeading(text, colour);
    panelChanged(false);
}

void HallState::setTopLine(const QString& text, const QColor& colour, int fontSwitch)
{
    m_panel.setTopLine(text, colour, fontSwitch);
    panelChanged(false);
}

void HallState::setLines(const QString& line1, const QString& line2, const QString& line3,
                         const QColor& colour)
{
    m_panel.setLines(line1, line2, line3, colour);
    panelChanged(false);
}

void HallState::setChart(const QString& labels, const QString& values, const QColor& colour)
{
    m_panel.setChart(labels, values, colour);
    panelChanged(true);
}

void HallState::setShowPercentages(int value)
{
    m_panel.setShowPercentages(value);
    panelChanged(true);
}

void HallState::setGridColours(const QColor& background, const QColor& text)
{
    m_grid.setColours(background, text);
    publish(QStringLiteral("grid"), gridJson());
}

void HallState::setGrid(int rows, int columns)
{
    m_grid.setGrid(rows, columns);
    publish(QStringLiteral("grid"), gridJson());
}

void HallState::setGridTitle(const QString& title)
{
    m_grid.setTitle(title);
    publish(QStringLiteral("grid"), gridJson());
}

void HallState::setNames(const QStringList& names, int count)
{
    m_grid.setNames(names, count);
    publish(QStringLiteral("grid"), gridJson());
}

void HallState::setOpenMicrophones(const QStringList& speakers)
{
    if (speakers == m_microphones)
        return;
    m_microphones = speakers;
    publish(QStringLiteral("microphones"), QJsonArray::fromStringList(speakers));
}

QJsonObject HallState::panelJson() const
{
    const ScreenPanelState& s = m_panel;
    QJsonArray rows;
    for (const TableRow& row : tableRows(s))
        rows.append(QJsonObject{{QStringLiteral("label"), row.label},
                                {QStringLiteral("value"), row.value},
                                {QStringLiteral("unit"), row.unit},
                                {QStringLiteral("percent"), row.percent},
                                {QStringLiteral("row"), row.row}});
    QJsonArray chart;
    if (s.kind == PanelKind::Histogram)
        chart = chartJson(histogramItems(s));
    else if (s.kind == PanelKind::Pie)
        chart = chartJson(pieItems(s));
    QJsonArray legend;
    if (s.kind == PanelKind::KeyLegend)
        legend = QJsonArray::fromStringList(s.labels);
    return {{QStringLiteral("kind"), kindName(s.kind)},
            {QStringLiteral("subKind"), int(s.subKind)},
            {QStringLiteral("heading"), s.heading},
            {QStringLiteral("topLine"), s.topLine},
            {QStringLiteral("lines"), QJsonArray{s.line1, s.line2, s.line3}},
            {QStringLiteral("rows"), rows},
            {QStringLiteral("chart"), chart},
            {QStringLiteral("legend"), legend},
            {QStringLiteral("headingColour"), colourText(s.headingColour)},
            {QStringLiteral("bodyColour"), colourText(s.bodyColour)},
            {QStringLiteral("windowColour"), colourText(s.windowColour)},
            {QStringLiteral("chartAreaColour"), colourText(s.chartAreaColour)}};
}

QJsonObject HallState::gridJson() const
{
    return {{QStringLiteral("title"), m_grid.title},
            {QStringLiteral("rows"), m_grid.rows},
            {QStringLiteral("columns"), m_grid.columns},
            {QStringLiteral("names"), QJsonArray::fromStringList(m_grid.names.mid(0, m_grid.drawnCount()))},
            {QStringLiteral("background"), colourText(m_grid.background)},
            {QStringLiteral("text"), colourText(m_grid.text)}};
}

void HallState::panelChanged(bool figures)
{
    const QJsonObject panel = panelJson();
    QJsonObject change{{QStringLiteral("panel"), panel}};
    // A vote's figures stay on the chair's page after the hall has moved on. Only calls about
    // the figures count: the next page's heading, set before its kind, is not theirs.
    const bool hasFigures = figures && !m_panel.values.isEmpty();
    if (hasFigures && m_panel.subKind == PanelSubKind::MotionResult) {
        m_lastResult = panel;
        change.insert(QStringLiteral("lastResult"), panel);
    } else if (hasFigures && m_panel.subKind == PanelSubKind::SignInFigures) {
        m_attendance = panel;
        change.insert(QStringLiteral("attendance"), panel);
    }
    emit changed(change);
}

void HallState::publish(const QString& key, const QJsonValue& value)
{
    emit changed(QJsonObject{{key, value}});
}

QJsonObject HallState::snapshot() const
{
    return {{QStringLiteral("surface"), surfaceName(m_surface)},
            {QStringLiteral("screen"), QJsonObject{{QStringLiteral("background"), colourText(m_background)},
                                                   {QStringLiteral("text"), colourText(m_text)}}},
            {QStringLiteral("text"), m_plainText},
            {QStringLiteral("training"), m_trainingNote},
            {QStringLiteral("panel"), panelJson()},
            {QStringLiteral("grid"), gridJson()},
            {QStringLiteral("lastResult"), m_lastResult},
            {QStringLiteral("attendance"), m_attendance},
            {QStringLiteral("microphones"), QJsonArray::fromStringList(m_microphones)},
            {QStringLiteral("texts"), m_pageTexts}};
}
