#pragma once
// What pages may do with the hall's second display. The window itself
// (FrmScr) lives in the screen's page library; pages are handed this
// interface, so a page needs no window class and a test can hand a page the
// real window or anything else that keeps the same promises.
//
// The screen shows one of three surfaces at a time: the text area (rich text:
// banners, documents), the screen panel (heading, top line and a body chosen
// by the display kind) and the name grid.

#include "screen/PanelKind.h"
#include "screen/ScreenPanelState.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QTextDocument;

class HallScreen
{
public:
    virtual ~HallScreen() = default;

    // ---- The window ----------------------------------------------------------
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual bool isWindowShown() const = 0;
    // Places the window for a size text ("1366*768") right of the primary display.
    virtual void placeWindow(const QString& scrSize) = 0;
    // The colours pages take for the screen; the text area gets the background at once.
    virtual void setScreenColours(const QColor& background, const QColor& text) = 0;
    virtual QString scrSize() const = 0;
    virtual QColor screenColour() const = 0;
    virtual QColor screenTextColour() const = 0;

    // ---- Surfaces (each hides the other two) ----------------------------------
    virtual void showTextArea() = 0;
    virtual void showPanel() = 0;
    virtual void showNameGrid() = 0;

    // ---- Text area -------------------------------------------------------------
    // The document on show, for pages that format ranges of it.
    virtual QTextDocument* textDocument() const = 0;
    virtual void setTextBackground(const QColor& colour) = 0;
    virtual void clearText() = 0;
    virtual void putText(const QString& text, const QFont& font, const QColor& colour) = 0;
    virtual void setPlainText(const QString& text) = 0;
    virtual void setDocument(const QTextDocument& document) = 0;
    // Streams an RTF file in; false (and the text as it was) when it cannot.
    virtual bool loadRtfFile(const QString& path) = 0;
    virtual void setTextFont(const QFont& font) = 0;
    virtual void setTextColour(const QColor& colour) = 0;
    virtual void scrollTop() = 0;
    virtual void scrollPageUp() = 0;
    virtual void scrollPageDown() = 0;
    virtual void scrollBottom() = 0;

    // ---- Screen panel ------------------------------------------------------------
    // The whole panel at once, as a presenter built it; the unit words stay the screen's own.
    virtual void setPanel(const ScreenPanelState& state) = 0;
    // Also sets the kind to blank: set the kind after the colours.
    virtual void setPanelColours(const QColor& window, const QColor& chartArea) = 0;
    virtual void setKind(PanelKind kind, PanelSubKind subKind) = 0;
    virtual void setHeading(const QString& text, const QColor& colour) = 0;
    virtual void setTopLine(const QString& text, const QColor& colour, int fontSwitch) = 0;
    virtual void setLines(const QString& line1, const QString& line2, const QString& line3,
                          const QColor& colour) = 0;
    // The speaking page's speaker line (line 1 of three lines, in the screen's
    // text colour); `secondsLeft` is the speaker's time left, -1 without a limit.
    virtual void setSpeakerLine(const QString& text, int secondsLeft) = 0;
    // Labels first, values second: field lists, at most 10 fields each.
    virtual void setChart(const QString& labels, const QString& values, const QColor& colour) = 0;
    virtual void setShowPercentages(int value) = 0;

    // ---- Name grid -----------------------------------------------------------------
    virtual void setGridColours(const QColor& background, const QColor& text) = 0;
    virtual void setGridFont(int sizeTenths, const QString& face) = 0;
    virtual void setGrid(int rows, int columns) = 0;
    virtual void setGridTitle(const QString& title) = 0;
    virtual void setNames(const QStringList& names, int count) = 0;

    // ---- Beside the screen -----------------------------------------------------------
    // The open microphones, oldest first, each as its seat's number and name. The
    // hall does not show them; viewers of the web view do.
    virtual void setOpenMicrophones(const QStringList& /*speakers*/) {}
};
