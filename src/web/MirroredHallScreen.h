#pragma once
// The hall screen as pages see it when the web view is built in: every call
// goes to the real screen, and the calls that change what the hall sees go to
// the hall's state model too. Questions are answered by the real screen.

#include "screen/HallScreen.h"

class HallState;

class MirroredHallScreen : public HallScreen
{
public:
    MirroredHallScreen(HallScreen& screen, HallState& state) : m_screen(screen), m_state(state) {}

    void showWindow() override { m_screen.showWindow(); }
    void hideWindow() override { m_screen.hideWindow(); }
    bool isWindowShown() const override { return m_screen.isWindowShown(); }
    void placeWindow(const QString& scrSize) override { m_screen.placeWindow(scrSize); }
    void setScreenColours(const QColor& background, const QColor& text) override;
    QString scrSize() const override { return m_screen.scrSize(); }
    QColor screenColour() const override { return m_screen.screenColour(); }
    QColor screenTextColour() const override { return m_screen.screenTextColour(); }

    void showTextArea() override;
    void showPanel() override;
    void showNameGrid() override;

    QTextDocument* textDocument() const override { return m_screen.textDocument(); }
    void setTextBackground(const QColor& colour) override { m_screen.setTextBackground(colour); }
    void clearText() override;
    void putText(const QString& text, const QFont& font, const QColor& colour) override;
    void setPlainText(const QString& text) override;
    void setDocument(const QTextDocument& document) override;
    bool loadRtfFile(const QString& path) override;
    void setTextFont(const QFont& font) override { m_screen.setTextFont(font); }
    void setTextColour(const QColor& colour) override { m_screen.setTextColour(colour); }
    void scrollTop() override { m_screen.scrollTop(); }
    void scrollPageUp() override { m_screen.scrollPageUp(); }
    void scrollPageDown() override { m_screen.scrollPageDown(); }
    void scrollBottom() override { m_screen.scrollBottom(); }

    void setPanel(const ScreenPanelState& state) override;
    void setPanelColours(const QColor& window, const QColor& chartArea) override;
    void setKind(PanelKind kind, PanelSubKind subKind) override;
    void setHeading(const QString& text, const QColor& colour) override;
    void setTopLine(const QString& text, const QColor& colour, int fontSwitch) override;
    void setLines(const QString& line1, const QString& line2, const QString& line3,
                  const QColor& colour) override;
    void setSpeakerLine(const QString& text, int secondsLeft) override;
    void setChart(const QString& labels, const QString& values, const QColor& colour) override;
    void setShowPercentages(int value) override;

    void setGridColours(const QColor& background, const QColor& text) override;
    void setGridFont(int sizeTenths, const QString& face) override { m_screen.setGridFont(sizeTenths, face); }
    void setGrid(int rows, int columns) override;
    void setGridTitle(const QString& title) override;
    void setNames(const QStringList& names, int count) override;
    void setOpenMicrophones(const QStringList& speakers) override;

private:
    // The text area is published as its plain text, read back from the real screen.
    void textChanged();

    HallScreen& m_screen;
    HallState& m_state;
};
