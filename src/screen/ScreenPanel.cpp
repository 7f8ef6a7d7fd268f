#include "screen/ScreenPanel.h"
#include "screen/ScreenPainter.h"

#include <QPainter>

ScreenPanel::ScreenPanel(QWidget* parent) : QWidget(parent)
{
    // The panel paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScreenPanel::setColours(const QColor& window, const QColor& chartArea)
{
    m_state.setColours(window, chartArea);
    changed();
}

void ScreenPanel::setKind(PanelKind kind, PanelSubKind subKind)
{
    m_state.setKind(kind, subKind);
    changed();
}

void ScreenPanel::setHeading(const QString& text, const QColor& colour)
{
    m_state.setHeading(text, colour);
    changed();
}

void ScreenPanel::setTopLine(const QString& text, const QColor& colour, int fontSwitch)
{
    m_state.setTopLine(text, colour, fontSwitch);
    changed();
}

void ScreenPanel::setLines(const QString& line1, const QString& line2, const QString& line3,
                           const QColor& colour)
{
    m_state.setLines(line1, line2, line3, colour);
    changed();
}

void ScreenPanel::setChart(const QString& labels, const QString& values, const QColor& colour)
{
    m_state.setChart(labels, values, colour);
    changed();
}

void ScreenPanel::setShowPercentages(int value)
{
    m_state.setShowPercentages(value);
    changed();
}

void ScreenPanel::setUnitWords(const QString& persons, const QString& votes)
{
    m_state.setUnitWords(persons, votes);
    changed();
}

void ScreenPanel::setState(const ScreenPanelState& state)
{
    m_state.takeContent(state);
    changed();
}

QImage ScreenPanel::render() const
{
    return ScreenPainter::renderPanel(m_state, size());
}

void ScreenPanel::changed()
{
    update();
}

void ScreenPanel::paintEvent(QPaintEvent*)
{
    // Off-screen first, then one copy: the hall never sees a half-drawn frame.
    const qreal ratio = devicePixelRatioF();
    QImage frame(size() * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    {
        QPainter offscreen(&frame);
        ScreenPainter::paintPanel(offscreen, rect(), m_state);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}
