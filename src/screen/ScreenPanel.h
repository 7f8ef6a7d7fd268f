#pragma once
// The screen panel as a widget: heading, top line and a body chosen by the
// display kind, painted off-screen and copied in one step. The secondary
// screen holds one; the voting and result pages hold another as their preview
// and give both the same calls.

#include "screen/ScreenPanelState.h"

#include <QWidget>

class ScreenPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ScreenPanel(QWidget* parent = nullptr);

    // Every operation repaints the panel. Setting the colours also sets the
    // kind to 0, so set the kind after the colours.
    void setColours(const QColor& window, const QColor& chartArea);
    void setKind(PanelKind kind, PanelSubKind subKind);
    void setHeading(const QString& text, const QColor& colour);
    void setTopLine(const QString& text, const QColor& colour, int fontSwitch);
    void setLines(const QString& line1, const QString& line2, const QString& line3, const QColor& colour);
    // Labels first, values second: field lists ("a:b:c:"), at most 10 fields each.
    void setChart(const QString& labels, const QString& values, const QColor& colour);
    // 1: the table of a motion vote shows percentages; any other value: not.
    void setShowPercentages(int value);
    void setUnitWords(const QString& persons, const QString& votes);
    // Everything of `state` but its unit words, which stay the panel's own.
    void setState(const ScreenPanelState& state);

    const ScreenPanelState& state() const { return m_state; }
    // What the panel shows at its current size.
    QImage render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void changed();

    ScreenPanelState m_state;
};
