#pragma once
// The window on the hall's second display. One for the whole run: the main
// window creates it hidden and hands it to pages as their HallScreen, through
// which they write into it. It has no controls of its own. It shows one of
// three surfaces at a time, each filling the window:
//
//  - the text area: read-only rich text (banners, documents, free rich text);
//  - the screen panel: heading, top line and a body chosen by the display kind;
//  - the name grid: a title and a page of names.
//
// Creating it:
//     auto* screen = new FrmScr;        // hidden, no parent: a top-level window
//     screen->loadSettings();           // ScrSize, ScrColor, ScrTextColor
// and `screen->showWindow()` whenever a page needs it seen.
//
// It sits at (primary display width, 0) with the size of `ScrSize`, without a
// frame. When no display lies there (only one is attached) it is shown as an
// ordinary framed window on the primary display instead, beside the console
// (or first minimised when there is no room beside it), so the operator still
// sees what the hall would see and the console stays uncovered.

#include "screen/HallScreen.h"

#include <QColor>
#include <QWidget>

class NameGrid;
class QLabel;
class QStackedLayout;
class QTextBrowser;
class QTextDocument;
class QTextEdit;
class ScreenPanel;

class FrmScr : public QWidget, public HallScreen
{
    Q_OBJECT
public:
    enum class Surface
    {
        TextArea,
        Panel,
        NameGrid
    };

    explicit FrmScr(QWidget* parent = nullptr);

    // Reads its title, names and unit words again, from the language table now in use.
    void applyTexts();

    // ---- Settings and placement -------------------------------------------------
    // Reads ScrSize, ScrColor and ScrTextColor from the system database, places the
    // window and gives the text area its background and text colour. An empty
    // size counts as "1024*768".
    void loadSettings();
    // A size without "*" has height 0: the window then stays hidden.
    void placeWindow(const QString& scrSize) override;
    void setScreenColours(const QColor& background, const QColor& text) override;
    // Shows the window where it was last placed (placing it from the settings the
    // first time); a window of no size stays hidden.
    void showWindow() override;
    void hideWindow() override;
    bool isWindowShown() const override { return isVisible(); }
    QString scrSize() const override { return m_scrSize; }
    QColor screenColour() const override { return m_screenColour; }
    QColor screenTextColour() const override { return m_screenTextColour; }
    // The rectangle asked for (x = primary display width) and whether the window
    // had to fall back to a framed window on the primary display.
    QRect wantedRect() const { return m_wanted; }
    bool isFramed() const { return m_framed; }
    bool startsMinimised() const { return m_startMinimised; }

    // ---- Surfaces (each hides the other two) ----------------------------------
    void showTextArea() override;
    void showPanel() override;
    void showNameGrid() override;
    Surface surface() const;

    // ---- Text area ---------------------------------------------------------------
    // The control itself, for pages that format ranges of it (the document page
    // highlights sentences in it).
    QTextEdit* textArea() const;
    QTextDocument* textDocument() const override;
    void setTextBackground(const QColor& colour) override;
    void clearText() override;
    // Replaces the selection (everything, after clearText) with the text in this
    // font and colour.
    void putText(const QString& text, const QFont& font, const QColor& colour) override;
    void setPlainText(const QString& text) override;
    // Shows a copy of a document (its formats and pictures kept).
    void setDocument(const QTextDocument& document) override;
    // Streams an RTF file into the text area and clears its modified flag; a file
    // that cannot be read or is not RTF leaves the text area as it was.
    bool loadRtfFile(const QString& path) override;
    // Gives the whole text a font or a colour.
    void setTextFont(const QFont& font) override;
    void setTextColour(const QColor& colour) override;
    void scrollTop() override;
    void scrollPageUp() override;
    void scrollPageDown() override;
    void scrollBottom() override;

    // ---- Screen panel (each repaints it) -----------------------------------------
    ScreenPanel* panel() const { return m_panel; }
    // Also sets the kind to 0: set the kind after the colours.
    void setPanel(const ScreenPanelState& state) override;
    void setPanelColours(const QColor& window, const QColor& chartArea) override;
    void setKind(PanelKind kind, PanelSubKind subKind) override;
    void setHeading(const QString& text, const QColor& colour) override;
    void setTopLine(const QString& text, const QColor& colour, int fontSwitch) override;
    void setLines(const QString& line1, const QString& line2, const QString& line3,
                  const QColor& colour) override;
    void setSpeakerLine(const QString& text, int secondsLeft) override;
    // Labels first, values second: field lists, at most 10 fields each.
    void setChart(const QString& labels, const QString& values, const QColor& colour) override;
    void setShowPercentages(int value) override;

    // ---- Name grid (each repaints it) --------------------------------------------
    NameGrid* nameGrid() const { return m_nameGrid; }
    void setGridColours(const QColor& background, const QColor& text) override;
    void setGridFont(int sizeTenths, const QString& face) override;
    void setGrid(int rows, int columns) override;
    void setGridTitle(const QString& title) override;
    void setNames(const QStringList& names, int count) override;

    // ---- Corner note ---------------------------------------------------------------
    // One small line in the lower right corner over every surface (training says
    // so there); an empty text removes it.
    void setCornerNote(const QString& text);
    QString cornerNote() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyPlacement();
    void placeCornerNote();

    QStackedLayout* m_stack = nullptr;
    QTextBrowser* m_text = nullptr;
    ScreenPanel* m_panel = nullptr;
    NameGrid* m_nameGrid = nullptr;
    QLabel* m_cornerNote = nullptr;
    QTextDocument* m_ownDocument = nullptr; // the last copy handed to the text area
    QString m_scrSize;
    QColor m_screenColour = QColor(0, 0, 255);
    QColor m_screenTextColour = Qt::white;
    QRect m_wanted;
    bool m_placed = false;
    bool m_framed = false;
    bool m_startMinimised = false;
    bool m_shownOnce = false;
};
