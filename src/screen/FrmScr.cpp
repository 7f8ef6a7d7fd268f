#include "screen/FrmScr.h"

#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "screen/NameGrid.h"
#include "screen/RtfReader.h"
#include "screen/ScreenGeometry.h"
#include "screen/ScreenPainter.h"
#include "screen/ScreenPanel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Applies a character format to the whole text of an editor.
void formatWhole(QTextEdit* edit, const QTextCharFormat& format)
{
    QTextCursor cursor(edit->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
}

} // namespace

FrmScr::FrmScr(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmScr"));
    // The operator keeps working in the console while the hall screen changes.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The program ends with the main window, whatever the hall screen shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);

    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("textArea"));
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setOpenLinks(false);
    m_text->setUndoRedoEnabled(false);
    // Paged by the pages, never by a scroll bar the hall would see.
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_panel = new ScreenPanel(this);
    m_panel->setObjectName(QStringLiteral("screenPanel"));

    m_nameGrid = new NameGrid(this);
    m_nameGrid->setObjectName(QStringLiteral("nameGrid"));

    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_text);
    m_stack->addWidget(m_panel);
    m_stack->addWidget(m_nameGrid);
    m_stack->setCurrentWidget(m_text);

    setTextBackground(m_screenColour);
    setTextColour(m_screenTextColour);
    resize(1024, 768);
    applyTexts();
}

void FrmScr::applyTexts()
{
    const Texts texts(QStringLiteral("FrmScr"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_text->setAccessibleName(texts(QStringLiteral("TextArea")));
    m_panel->setAccessibleName(texts(QStringLiteral("ScreenPanel")));
    m_nameGrid->setAccessibleName(texts(QStringLiteral("NameGrid")));
    const QString persons = texts(QStringLiteral("UnitPersons"));
    const QString votes = texts(QStringLiteral("UnitVotes"));
    m_panel->setUnitWords(persons.isEmpty() ? QStringLiteral("人") : persons,
                          votes.isEmpty() ? QStringLiteral("票") : votes);
}

void FrmScr::loadSettings()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    setScreenColours(settings.ScrColor.isEmpty() ? m_screenColour : storedColour(settings.ScrColor),
                     settings.ScrTextColor.isEmpty() ? m_screenTextColour
                                                     : storedColour(settings.ScrTextColor));
    // An empty size (no settings row) is taken as the size the settings page shows for it.
    placeWindow(settings.ScrSize.isEmpty() ? QStringLiteral("1024*768") : settings.ScrSize);
}

void FrmScr::setScreenColours(const QColor& background, const QColor& text)
{
    m_screenColour = background;
    m_screenTextColour = text;
    setTextBackground(background);
    setTextColour(text);
}

void FrmScr::placeWindow(const QString& scrSize)
{
    m_scrSize = scrSize;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const int primaryWidth = primary ? primary->geometry().width() : 0;
    m_wanted = ScreenGeometry::windowRect(scrSize, primaryWidth);
    m_placed = true;
    applyPlacement();
}

void FrmScr::applyPlacement()
{
    QList<QRect> displays;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        displays.append(primary->geometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            displays.append(screen->geometry());
    const QRect available = primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
    const ScreenGeometry::WindowPlacement placement =
        ScreenGeometry::placeWindow(m_wanted, displays, available, ScreenGeometry::kConsoleWidth);
    m_startMinimised = placement.minimised;

    const bool wasVisible = isVisible();
    if (placement.framed != m_framed) {
        m_framed = placement.framed;
        // Changing the frame hides the window; it is shown again below when it was up.
        setWindowFlag(Qt::FramelessWindowHint, !m_framed);
    }
    if (placement.rect.isEmpty()) {
        // No size (a size text without "*"): nothing to show.
        hide();
        return;
    }
    setGeometry(placement.rect);
    // Unformatted text reads from the back of the hall; pages that want other sizes set them.
    m_text->document()->setDefaultFont(ScreenPainter::heiFont(qMax(24, placement.rect.width() / 28)));
    m_text->document()->setDocumentMargin(placement.rect.width() / 40);
    if (wasVisible && !isVisible())
        show();
}

void FrmScr::showWindow()
{
    if (!m_placed)
        loadSettings();
    if (m_wanted.isEmpty())
        return;
    // On one display without room beside the console the window first waits in
    // the task bar; after that it stays as the operator left it.
    if (m_startMinimised && !isVisible() && !m_shownOnce)
        showMinimized();
    else
        show();
    m_shownOnce = true;
    if (!m_framed)
        raise();
}

void FrmScr::hideWindow()
{
    hide();
}

void FrmScr::showTextArea()
{
    m_stack->setCurrentWidget(m_text);
}

void FrmScr::showPanel()
{
    m_stack->setCurrentWidget(m_panel);
}

void FrmScr::showNameGrid()
{
    m_stack->setCurrentWidget(m_nameGrid);
}

void FrmScr::setCornerNote(const QString& text)
{
    if (!m_cornerNote) {
        m_cornerNote = new QLabel(this);
        m_cornerNote->setObjectName(QStringLiteral("cornerNote"));
        m_cornerNote->setStyleSheet(
            QStringLiteral("color: #f2b134; background: rgba(0, 0, 0, 150); padding: 2px 8px;"));
        // Every surface change raises the new surface; the note goes back on top.
        connect(m_stack, &QStackedLayout::currentChanged, m_cornerNote, &QWidget::raise);
    }
    m_cornerNote->setText(text);
    m_cornerNote->setAccessibleName(text);
    m_cornerNote->setVisible(!text.isEmpty());
    placeCornerNote();
}

QString FrmScr::cornerNote() const
{
    return m_cornerNote && !m_cornerNote->isHidden() ? m_cornerNote->text() : QString();
}

void FrmScr::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeCornerNote();
}

void FrmScr::placeCornerNote()
{
    if (!m_cornerNote)
        return;
    m_cornerNote->adjustSize();
    m_cornerNote->move(width() - m_cornerNote->width() - 8, height() - m_cornerNote->height() - 6);
    m_cornerNote->raise();
}

FrmScr::Surface FrmScr::surface() const
{
    if (m_stack->currentWidget() == m_panel)
        return Surface::Panel;
    if (m_stack->currentWidget() == m_nameGrid)
        return Surface::NameGrid;
    return Surface::TextArea;
}

QTextEdit* FrmScr::textArea() const
{
    return m_text;
}

QTextDocument* FrmScr::textDocument() const
{
    return m_text->document();
}

void FrmScr::setTextBackground(const QColor& colour)
{
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    m_text->setPalette(palette);
    m_text->viewport()->setPalette(palette);
    m_text->viewport()->setAutoFillBackground(true);
}

void FrmScr::clearText()
{
    m_text->clear();
}

void FrmScr::putText(const QString& text, const QFont& font, const QColor& colour)
{
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(colour);
    QTextCursor cursor = m_text->textCursor();
    cursor.insertText(text, format);
    m_text->setTextCursor(cursor);
}

void FrmScr::setPlainText(const QString& text)
{
    m_text->setPlainText(text);
}

void FrmScr::setDocument(const QTextDocument& document)
{
    // A clone keeps the pictures, which live as resources of their document.
    // The editor deletes its own first document when replaced, but not ours.
    QTextDocument* copy = document.clone(m_text);
    QTextDocument* previous = m_ownDocument;
    m_text->setDocument(copy);
    m_ownDocument = copy;
    delete previous;
}

bool FrmScr::loadRtfFile(const QString& path)
{
    QTextDocument document;
    RtfReader reader;
    const RtfReader::Status status = reader.readFile(path, &document);
    if (status == RtfReader::Status::NotRtf || status == RtfReader::Status::CannotOpen)
        return false;
    setDocument(document);
    m_text->document()->setModified(false);
    return true;
}

void FrmScr::setTextFont(const QFont& font)
{
    QTextCharFormat format;
    format.setFont(font);
    formatWhole(m_text, format);
    m_text->setCurrentCharFormat(format);
}

void FrmScr::setTextColour(const QColor& colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    formatWhole(m_text, format);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Text, colour);
    m_text->setPalette(palette);
}

void FrmScr::scrollTop()
{
    m_text->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
}

void FrmScr::scrollPageUp()
{
    m_text->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
}

void FrmScr::scrollPageDown()
{
    m_text->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
}

void FrmScr::scrollBottom()
{
    m_text->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
}

void FrmScr::setPanel(const ScreenPanelState& state)
{
    m_panel->setState(state);
}

void FrmScr::setPanelColours(const QColor& window, const QColor& chartArea)
{
    m_panel->setColours(window, chartArea);
}

void FrmScr::setKind(PanelKind kind, PanelSubKind subKind)
{
    m_panel->setKind(kind, subKind);
}

void FrmScr::setHeading(const QString& text, const QColor& colour)
{
    m_panel->setHeading(text, colour);
}

void FrmScr::setTopLine(const QString& text, const QColor& colour, int fontSwitch)
{
    m_panel->setTopLine(text, colour, fontSwitch);
}

void FrmScr::setLines(const QString& line1, const QString& line2, const QString& line3, const QColor& colour)
{
    m_panel->setLines(line1, line2, line3, colour);
}

void FrmScr::setSpeakerLine(const QString& text, int)
{
    // The window shows the text; the seconds are there for mirrors that count down themselves.
    setLines(text, QString(), QString(), screenTextColour());
}

void FrmScr::setChart(const QString& labels, const QString& values, const QColor& colour)
{
    m_panel->setChart(labels, values, colour);
}

void FrmScr::setShowPercentages(int value)
{
    m_panel->setShowPercentages(value);
}

void FrmScr::setGridColours(const QColor& background, const QColor& text)
{
    m_nameGrid->setColours(background, text);
}

void FrmScr::setGridFont(int sizeTenths, const QString& face)
{
    m_nameGrid->setGridFont(sizeTenths, face);
}

void FrmScr::setGrid(int rows, int columns)
{
    m_nameGrid->setGrid(rows, columns);
}

void FrmScr::setGridTitle(const QString& title)
{
    m_nameGrid->setTitle(title);
}

void FrmScr::setNames(const QStringList& names, int count)
{
    m_nameGrid->setNames(names, count);
}
