#include "meeting/FrmFile.h"

#include "core/LanguageTable.h"
#include "core/Prompt.h"
#include "core/TimerService.h"
#include "screen/HallScreen.h"
#include "screen/RichEditMenu.h"
#include "screen/TextFileDecoder.h"
#include "ui/FileDialog.h"

#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Stop symbols offered until the operator types others: Chinese and Western sentence ends.
const QString kDefaultStopSymbols = QStringLiteral("。！？；.!?;");
constexpr int kDefaultPace = 3;

void formatWhole(QTextDocument* document, const QTextCharFormat& format)
{
    QTextCursor cursor(document);
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
}

void scrollView(QTextEdit* edit, QAbstractSlider::SliderAction action)
{
    edit->verticalScrollBar()->triggerAction(action);
}

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(40, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

FrmFile::FrmFile(HallScreen& screen, TimerService& timers, QWidget* parent)
    : QWidget(parent), m_screen(screen)
{
    setObjectName(QStringLiteral("FrmFile"));
    const Texts texts(QStringLiteral("FrmFile"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_autoCaption = texts(QStringLiteral("BtnAuto"));
    m_pauseCaption = texts(QStringLiteral("BtnPause"));
    m_textColour = m_screen.screenTextColour();
    if (m_highlightColour == m_textColour)
        m_highlightColour = QColor(255, 0, 0);

    m_view = new QTextEdit(this);
    m_view->setObjectName(QStringLiteral("IDC_FILE_VIEW"));
    m_view->setAccessibleName(texts(QStringLiteral("DlgName")));
    // The view mirrors the hall screen: edits here would not reach the screen.
    m_view->setReadOnly(true);
    m_view->setUndoRedoEnabled(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        RichEditMenu::popup(
            m_view, [this] { chooseFont(); }, at);
    });
    const QColor background = m_screen.screenColour();
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, m_textColour);
    m_view->setPalette(palette);

    auto button = [&](const char* key, void (FrmFile::*slot)()) {
        auto* b = new QPushButton(texts(QLatin1String(key)), this);
        b->setObjectName(QLatin1String(key));
        b->setAccessibleName(b->text());
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto label = [&](const char* key) {
        auto* l = new QLabel(texts(QLatin1String(key)), this);
        l->setObjectName(QLatin1String(key));
        return l;
    };

    QPushButton* open = button("IDC_OPENTEXT_BUTTON", &FrmFile::chooseFile);
    QPushButton* first = button("IDC_HEADSCREEN_BUTTON", &FrmFile::firstScreen);
    QPushButton* previousPage = button("IDC_TOPSCREEN_BUTTON", &FrmFile::previousScreen);
    QPushButton* nextPage = button("IDC_NEXTSCREEN_BUTTON", &FrmFile::nextScreen);
    QPushButton* last = button("IDC_TAILSCREEN_BUTTON", &FrmFile::lastScreen);
    QPushButton* previous = button("IDC_TOPSENT_BUTTON", &FrmFile::previousSentence);
    QPushButton* next = button("IDC_NEXTSENT_BUTTON", &FrmFile::nextSentence);
    m_auto = button("BtnAuto", &FrmFile::toggleAuto);
    QPushButton* restoreButton = button("IDC_REVSENT_BUTTON", &FrmFile::restore);
    QPushButton* font = button("IDC_TEXT_FONT", &FrmFile::chooseFont);

    QLabel* stopLabel = label("IDC_STATIC_CLEWSIGN");
    m_stopField = new QLineEdit(kDefaultStopSymbols, this);
    m_stopField->setObjectName(QStringLiteral("IDC_CLEWSIGN_EDIT"));
    m_stopField->setAccessibleName(stopLabel->text());
    stopLabel->setBuddy(m_stopField);
    QPushButton* stopOk = button("IDC_CLEW_SIGNOK", &FrmFile::takeStopSymbols);
    m_stepper.setStopSymbols(kDefaultStopSymbols);

    QLabel* paceLabel = label("IDC_STATIC_SETCLEWRATE");
    m_pace = new QSpinBox(this);
    m_pace->setObjectName(QStringLiteral("IDC_CLEWRATE_EDIT"));
    m_pace->setAccessibleName(paceLabel->text());
    m_pace->setRange(0, 600);
    m_pace->setValue(kDefaultPace);
    paceLabel->setBuddy(m_pace);
    QLabel* seconds = label("IDC_STATIC_TIMELSCR");

    QLabel* highlightLabel = label("IDC_STATIC_CLEWCOLOR");
    m_highlightList = new QComboBox(this);
    m_highlightList->setObjectName(QStringLiteral("IDC_CLEWCOLOR_LIST"));
    m_highlightList->setAccessibleName(highlightLabel->text());
    highlightLabel->setBuddy(m_highlightList);
    buildColourList(m_highlightList, m_highlightColour);
    QLabel* textLabel = label("IDC_STATIC_TEXTCOLOR");
    m_textList = new QComboBox(this);
    m_textList->setObjectName(QStringLiteral("IDC_TEXTCOLOR_LIST"));
    m_textList->setAccessibleName(textLabel->text());
    textLabel->setBuddy(m_textList);
    buildColourList(m_textList, m_textColour);
    connect(m_highlightList, &QComboBox::activated, this,
            [this](int index) { setHighlightColour(m_highlightList->itemData(index).value<QColor>()); });
    connect(m_textList, &QComboBox::activated, this,
            [this](int index) { setTextColour(m_textList->itemData(index).value<QColor>()); });

    auto* controls = new QGridLayout;
    controls->addWidget(open, 0, 0);
    controls->addWidget(first, 0, 1);
    controls->addWidget(previousPage, 0, 2);
    controls->addWidget(nextPage, 0, 3);
    controls->addWidget(last, 0, 4);
    controls->addWidget(font, 0, 5);
    controls->addWidget(previous, 1, 1);
    controls->addWidget(next, 1, 2);
    controls->addWidget(m_auto, 1, 3);
    controls->addWidget(restoreButton, 1, 4);

    auto* settings = new QHBoxLayout;
    settings->addWidget(stopLabel);
    settings->addWidget(m_stopField, 2);
    settings->addWidget(stopOk);
    settings->addSpacing(16);
    settings->addWidget(paceLabel);
    settings->addWidget(m_pace);
    settings->addWidget(seconds);
    settings->addSpacing(16);
    settings->addWidget(highlightLabel);
    settings->addWidget(m_highlightList);
    settings->addWidget(textLabel);
    settings->addWidget(m_textList);
    settings->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(controls);
    layout->addLayout(settings);

    m_timer = timers.createTimer([this] { onAutoTick(); });
}

FrmFile::~FrmFile() = default;

void FrmFile::buildColourList(QComboBox* list, const QColor& selected)
{
    QList<QColor> colours = {Qt::white, Qt::yellow,  Qt::red,   Qt::green,           Qt::cyan,
                             Qt::blue,  Qt::magenta, Qt::black, QColor(255, 128, 0), QColor(128, 128, 128)};
    if (!colours.contains(selected))
        colours.prepend(selected);
    list->setIconSize(QSize(40, 14));
    for (const QColor& colour : colours) {
        list->addItem(swatch(colour), QString(), colour);
        list->setItemData(list->count() - 1, colour.name(), Qt::ToolTipRole);
        list->setItemData(list->count() - 1, colour.name(), Qt::AccessibleTextRole);
    }
    list->setCurrentIndex(static_cast<int>(colours.indexOf(selected)));
}

void FrmFile::chooseFile()
{
    const QString path = FileDialog::getOpenFileName(
        this, Texts(QStringLiteral("FrmFile"))(QStringLiteral("IDC_OPENTEXT_BUTTON")), QString(),
        QStringLiteral("text (*.txt);;* (*)"));
    if (path.isEmpty())
        return;
    if (!openFile(path)) {
        const Texts texts(QStringLiteral("FrmFile"));
        Prompt::information(Texts(QStringLiteral("Public"))(QStringLiteral("MsgClew")),
                            texts(QStringLiteral("MsgReadErr")).arg(path));
    }
}

bool FrmFile::openFile(const QString& path)
{
    QString text;
    if (!TextFileDecoder::readFile(path, TextFileDecoder::legacyCodePage(LanguageTable::code()), &text))
        return false;

    stopAuto();
    m_stepper.setText(text);
    m_view->setPlainText(text);
    QTextCharFormat viewSize;
    viewSize.setFontPointSize(kViewPointSize);
    formatWhole(m_view->document(), viewSize);

    m_screen.showWindow();
    m_screen.showTextArea();
    m_screen.setPlainText(text);
    QTextCharFormat screenSize;
    screenSize.setFontPointSize(kScreenPointSize);
    formatWhole(m_screen.textDocument(), screenSize);
    m_screen.setTextBackground(m_screen.screenColour());
    // The settings may have changed the screen's colour since the page was made.
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, m_screen.screenColour());
    m_view->setPalette(palette);
    paintSentence();
    return true;
}

void FrmFile::paintSentence()
{
    m_stepper.paint(m_view->document(), m_textColour, m_highlightColour);
    m_stepper.paint(m_screen.textDocument(), m_textColour, m_highlightColour);
}

void FrmFile::nextSentence()
{
    if (m_stepper.next())
        paintSentence();
}

void FrmFile::previousSentence()
{
    if (m_stepper.previous())
        paintSentence();
}

void FrmFile::restore()
{
    stopAuto();
    m_stepper.restore();
    paintSentence();
}

bool FrmFile::isAutoRunning() const
{
    return m_timer->isActive();
}

void FrmFile::toggleAuto()
{
    if (isAutoRunning()) {
        stopAuto();
        return;
    }
    m_timer->start(SentenceStepper::autoInterval(m_pace->value()));
    m_auto->setText(m_pauseCaption);
    m_auto->setAccessibleName(m_pauseCaption);
}

void FrmFile::stopAuto()
{
    m_timer->stop();
    // The caption follows the timer, also when it stopped by itself at the end.
    m_auto->setText(m_autoCaption);
    m_auto->setAccessibleName(m_autoCaption);
}

void FrmFile::onAutoTick()
{
    if (m_stepper.atEnd())
        stopAuto();
    else
        nextSentence();
}

void FrmFile::firstScreen()
{
    scrollView(m_view, QAbstractSlider::SliderToMinimum);
    m_screen.scrollTop();
}

void FrmFile::previousScreen()
{
    scrollView(m_view, QAbstractSlider::SliderPageStepSub);
    m_screen.scrollPageUp();
}

void FrmFile::nextScreen()
{
    scrollView(m_view, QAbstractSlider::SliderPageStepAdd);
    m_screen.scrollPageDown();
}

void FrmFile::lastScreen()
{
    scrollView(m_view, QAbstractSlider::SliderToMaximum);
    m_screen.scrollBottom();
}

void FrmFile::applyFont(const QFont& font)
{
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
    formatWhole(m_view->document(), format);
    formatWhole(m_screen.textDocument(), format);
}

void FrmFile::chooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_view->textCursor().charFormat().font(), this);
    if (ok)
        applyFont(font);
}

void FrmFile::setTextColour(const QColor& colour)
{
    m_textColour = colour;
    QTextCharFormat format;
    format.setForeground(colour);
    formatWhole(m_view->document(), format);
    formatWhole(m_screen.textDocument(), format);
    const int index = m_textList->findData(colour);
    if (index >= 0)
        m_textList->setCurrentIndex(index);
}

void FrmFile::setHighlightColour(const QColor& colour)
{
    m_highlightColour = colour;
    const int index = m_highlightList->findData(colour);
    if (index >= 0)
        m_highlightList->setCurrentIndex(index);
}

void FrmFile::takeStopSymbols()
{
    m_stepper.setStopSymbols(m_stopField->text());
}
