#include "web/MirroredHallScreen.h"

#include "web/HallState.h"

#include <QTextDocument>

void MirroredHallScreen::setScreenColours(const QColor& background, const QColor& text)
{
    m_screen.setScreenColours(background, text);
    m_state.setScreenColours(background, text);
}

void MirroredHallScreen::showTextArea()
{
    m_screen.showTextArea();
    m_state.setSurface(HallState::Surface::TextArea);
}

void MirroredHallScreen::showPanel()
{
    m_screen.showPanel();
    m_state.setSurface(HallState::Surface::Panel);
}

void MirroredHallScreen::showNameGrid()
{
    m_screen.showNameGrid();
    m_state.setSurface(HallState::Surface::NameGrid);
}

void MirroredHallScreen::textChanged()
{
    const QTextDocument* document = m_screen.textDocument();
    m_state.setText(document ? document->toPlainText() : QString());
}

void MirroredHallScreen::clearText()
{
    m_screen.clearText();
    textChanged();
}

void MirroredHallScreen::putText(const QString& text, const QFont& font, const QColor& colour)
{
    m_screen.putText(text, font, colour);
    textChanged();
}

void MirroredHallScreen::setPlainText(const QString& text)
{
    m_screen.setPlainText(text);
    textChanged();
}

void MirroredHallScreen::setDocument(const QTextDocument& document)
{
    m_screen.setDocument(document);
    textChanged();
}

bool MirroredHallScreen::loadRtfFile(const QString& path)
{
    const bool loaded = m_screen.loadRtfFile(path);
    textChanged();
    return loaded;
}

void MirroredHallScreen::setPanel(const ScreenPanelState& state)
{
    m_screen.setPanel(state);
    m_state.setPanel(state);
}

void MirroredHallScreen::setPanelColours(const QColor& window, const QColor& chartArea)
{
    m_screen.setPanelColours(window, chartArea);
    m_state.setPanelColours(window, chartArea);
}

void MirroredHallScreen::setKind(PanelKind kind, PanelSubKind subKind)
{
    m_screen.setKind(kind, subKind);
    m_state.setKind(kind, subKind);
}

void MirroredHallScreen::setHeading(const QString& text, const QColor& colour)
{
    m_screen.setHeading(text, colour);
    m_state.setHeading(text, colour);
}

void MirroredHallScreen::setTopLine(const QString& text, const QColor& colour, int fontSwitch)
{
    m_screen.setTopLine(text, colour, fontSwitch);
    m_state.setTopLine(text, colour, fontSwitch);
}

void MirroredHallScreen::setLines(const QString& line1, const QString& line2, const QString& line3,
                                  const QColor& colour)
{
    m_screen.setLines(line1, line2, line3, colour);
    m_state.setLines(line1, line2, line3, colour);
}

void MirroredHallScreen::setSpeakerLine(const QString& text, int secondsLeft)
{
    m_screen.setSpeakerLine(text, secondsLeft);
    // The text carries the time left already; browsers show it as the hall does.
    m_state.setLines(text, QString(), QString(), m_screen.screenTextColour());
}

void MirroredHallScreen::setChart(const QString& labels, const QString& values, const QColor& colour)
{
    m_screen.setChart(labels, values, colour);
    m_state.setChart(labels, values, colour);
}

void MirroredHallScreen::setShowPercentages(int value)
{
    m_screen.setShowPercentages(value);
    m_state.setShowPercentages(value);
}

void MirroredHallScreen::setGridColours(const QColor& background, const QColor& text)
{
    m_screen.setGridColours(background, text);
    m_state.setGridColours(background, text);
}

void MirroredHallScreen::setGrid(int rows, int columns)
{
    m_screen.setGrid(rows, columns);
    m_state.setGrid(rows, columns);
}

void MirroredHallScreen::setGridTitle(const QString& title)
{
    m_screen.setGridTitle(title);
    m_state.setGridTitle(title);
}

void MirroredHallScreen::setNames(const QStringList& names, int count)
{
    m_screen.setNames(names, count);
    m_state.setNames(names, count);
}

void MirroredHallScreen::setOpenMicrophones(const QStringList& speakers)
{
    m_screen.setOpenMicrophones(speakers);
    m_state.setOpenMicrophones(speakers);
}
