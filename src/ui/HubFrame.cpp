#include "ui/HubFrame.h"

#include "ui/TrainingBand.h"
#include "ui/WindowPlacement.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

// One palette for the column and the content: navy, a light blue-grey and a warm accent.
const char* const kStyle = R"(
HubFrame { background: #eef2f7; }
QWidget#HubColumn { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1d3a6b, stop:1 #12284d); }
QWidget#HubColumn QPushButton {
    color: white; font-size: 15px; font-weight: bold; border: 1px solid #5d7fb5; border-radius: 8px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a67b0, stop:1 #26508f);
}
QWidget#HubColumn QPushButton:hover { background: #4677c4; }
QWidget#HubColumn QPushButton:disabled {
    color: #7f95bb; background: transparent; border: 1px dashed #3d5c8f;
}
QWidget#HubColumn QPushButton:checked, QWidget#HubColumn QPushButton:checked:disabled {
    color: #12284d; background: #eef2f7; border: 1px solid #eef2f7; border-left: 6px solid #f2b134;
}
QWidget#HubColumn QLabel { color: white; }
QLabel[hubRole="title"] { color: #1d3a6b; font-size: 16px; font-weight: bold; }
QLabel#HubHint {
    color: #1d3a6b; background: #fff6dc; border: 1px solid #f2b134; border-radius: 4px; padding: 0 8px;
}
QWidget#HubMessageBar { background: #fde3e1; border: 1px solid #c0392b; border-radius: 4px; }
QLabel#HubMessageText { color: #7b1d14; }
QPushButton#HubMessageClose { color: #7b1d14; border: 1px solid #c0392b; border-radius: 3px; padding: 0 8px; }
)";

// A page button is a tab to a screen reader: its role is a page tab, the page on
// show is the selected one, and its one action opens the page as a click does.
// (A checkable push button would be read as a check box, and its toggle action
// bypasses the click that switches the page.)
class PageTabAccessible : public QAccessibleWidget
{
public:
    explicit PageTabAccessible(QWidget* button) : QAccessibleWidget(button, QAccessible::PageTab) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = pageButton()->isChecked();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && pageButton()->isEnabled())
            pageButton()->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPushButton* pageButton() const { return static_cast<QPushButton*>(widget()); }
};

// The column's buttons are of their own class, so the factory below is asked
// about them before Qt's own one answers for every push button.
class HubButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;
};

QAccessibleInterface* pageTabFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("HubButton") && object->property(HubFrame::kPageButton).toBool())
        return new PageTabAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

const int kHeadingPixels = 17;
const int kBandWidth = 480;
const int kNarrowestBand = 260;
const int kSmallestHeadingPixels = 11;
const int kSmallestOneLinePixels = 15;

} // namespace

HubFrame::HubFrame(const QString& section, const char* titleName, QWidget* parent)
    : QDialog(parent), m_texts(section)
{
    static const bool tabsInstalled = (QAccessible::installFactory(pageTabFactory), true);
    Q_UNUSED(tabsInstalled);
    setObjectName(section);
    setWindowTitle(m_texts(QStringLiteral("DlgName")));
    setFixedSize(1024, 741);
    // Large windows open centred, where the main window stood.
    WindowPlacement::centreOnScreen(*this);
    // One font for the column and the pages; the style sheet only changes size and weight.
    setFont(QApplication::font());
    setStyleSheet(QString::fromLatin1(kStyle));

    m_column = new QWidget(this);
    m_column->setObjectName(QStringLiteral("HubColumn"));
    m_column->setAttribute(Qt::WA_StyledBackground);
    m_column->setGeometry(0, 0, kColumnWidth, height());

    m_title = new QLabel(this);
    m_title->setObjectName(QString::fromLatin1(titleName));
    m_title->setProperty("hubRole", QStringLiteral("title"));
    m_title->setGeometry(kPagePlace.x() + 8, 4, kPagePlace.width() - 8, 26);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("HubHint"));
    m_hint->setGeometry(kPagePlace.x() + 10, kPagePlace.bottom() + 10, kPagePlace.width() - 20, 30);
    m_hint->hide();

    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("HubMessageBar"));
    m_bar->setAttribute(Qt::WA_StyledBackground);
    // Two lines between the page and the window's edge: the store's words may be long.
    m_bar->setGeometry(m_hint->x(), kPagePlace.bottom() + 4, m_hint->width(),
                       height() - kPagePlace.bottom() - 7);
    m_barText = new QLabel(m_bar);
    m_barText->setObjectName(QStringLiteral("HubMessageText"));
    m_barText->setWordWrap(true);
    m_barText->setGeometry(8, 0, m_bar->width() - 104, m_bar->height());
    auto* close = new QPushButton(Texts(QStringLiteral("Public"))(QStringLiteral("MsgBarClose")), m_bar);
    close->setObjectName(QStringLiteral("HubMessageClose"));
    close->setAccessibleName(close->text());
    close->setAutoDefault(false);
    close->setGeometry(m_bar->width() - 88, (m_bar->height() - 26) / 2, 80, 26);
    connect(close, &QPushButton::clicked, this, [this] {
        m_bar->hide();
        m_hint->setVisible(!m_hint->text().isEmpty());
    });
    m_bar->hide();
}

QLabel* HubFrame::setHeading(const char* objectName, const QString& text)
{
    auto* heading = new QLabel(text, m_column);
    heading->setObjectName(QString::fromLatin1(objectName));
    heading->setGeometry(12, 8, kColumnWidth - 24, 40);
    heading->setAlignment(Qt::AlignCenter);
    // "Configuração do sistema" is three times as long as "系统设置": shrink a
    // little on one line, then take two lines rather than a tiny font.
    QFont font = this->font();
    font.setBold(true);
    const QRect room(0, 0, heading->width(), heading->height());
    const auto fits = [&](int pixels, bool wrapped) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (!wrapped)
            return metrics.horizontalAdvance(text) <= room.width();
        const QRect box = metrics.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
        return box.width() <= room.width() && box.height() <= room.height();
    };
    int pixels = kHeadingPixels;
    while (pixels > kSmallestOneLinePixels && !fits(pixels, false))
        --pixels;
    if (!fits(pixels, false)) {
        heading->setWordWrap(true);
        pixels = kHeadingPixels;
        while (pixels > kSmallestHeadingPixels && !fits(pixels, true))
            --pixels;
        fits(pixels, true);
    }
    heading->setFont(font);
    return heading;
}

QPushButton* HubFrame::addButton(const char* key, int y)
{
    auto* button = new HubButton(m_texts(QString::fromLatin1(key)), m_column);
    button->setObjectName(QString::fromLatin1(key));
    button->setAccessibleName(button->text());
    button->setGeometry(20, y, 150, 50);
    button->setAutoDefault(false);
    return button;
}

QLabel* HubFrame::addMark(const char* objectName, const QPixmap& picture)
{
    auto* mark = new QLabel(this);
    mark->setObjectName(QString::fromLatin1(objectName));
    mark->setPixmap(picture);
    mark->setGeometry(m_title->x(), 3, picture.width(), picture.height());
    mark->hide();
    return mark;
}

void HubFrame::addPage(QWidget* page, QPushButton* button, const QString& title, QLabel* mark,
                       const QRect& place)
{
    page->setParent(this);
    page->setGeometry(place);
    page->hide();
    button->setCheckable(true);
    button->setProperty(kPageButton, true);
    // An interface made earlier (when its name was set) is a plain button's; the next one is a tab's.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(button))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    // Only the frame checks a button: a click on a page that refuses to open leaves it as it was.
    connect(button, &QPushButton::toggled, this, [this, button](bool checked) {
        if (m_marking)
            return;
        m_marking = true;
        button->setChecked(!checked);
        m_marking = false;
    });
    m_pages.append({page, button, title, mark, false});
    updateButtons();
}

void HubFrame::showPage(QWidget* page)
{
    for (const Page& p : m_pages)
        if (p.widget != page) {
            p.widget->hide();
            if (p.mark)
                p.mark->hide();
        }
    for (const Page& p : m_pages)
        if (p.widget == page) {
            m_current = page;
            m_titleText = p.title;
            // The title moves right of the page's mark when it has one.
            m_titleLeft = kPagePlace.x() + 8 + (p.mark ? p.mark->width() + 8 : 0);
            layOutTitle();
            if (p.mark)
                p.mark->show();
            page->show();
        }
    updateButtons();
}

void HubFrame::setPageAvailable(QWidget* page, bool available)
{
    for (Page& p : m_pages)
        if (p.widget == page)
            p.available = available;
    updateButtons();
}

void HubFrame::setHint(const QString& text)
{
    m_hint->setText(text);
    m_hint->setVisible(!text.isEmpty() && m_bar->isHidden());
}

void HubFrame::showMessage(const QString& text)
{
    m_barText->setText(text);
    m_barText->setAccessibleName(text);
    m_hint->hide();
    m_bar->show();
}

void HubFrame::setTrainingBand(const QString& text)
{
    delete m_band;
    m_band = new TrainingBand(
        text, QRect(kPagePlace.right() - kBandWidth, 3, kBandWidth, TrainingBand::kHeight), this);
    layOutTitle();
}

void HubFrame::layOutTitle()
{
    m_title->ensurePolished();
    const QFontMetrics metrics(m_title->font());
    int right = kPagePlace.right();
    if (m_band) {
        const int room = right - m_titleLeft - metrics.horizontalAdvance(m_titleText) - 16;
        const int band = qBound(kNarrowestBand, room, kBandWidth);
        m_band->setGeometry(right - band, 3, band, TrainingBand::kHeight);
        right = m_band->x() - 8;
    }
    m_title->setGeometry(m_titleLeft, 4, right - m_titleLeft, 26);
    const QString shown = metrics.elidedText(m_titleText, Qt::ElideRight, m_title->width());
    m_title->setText(shown);
    m_title->setToolTip(shown == m_titleText ? QString() : m_titleText);
}

void HubFrame::updateButtons()
{
    m_marking = true;
    for (const Page& p : m_pages) {
        const bool current = p.widget == m_current;
        p.button->setChecked(current);
        p.button->setEnabled(p.available && !current);
    }
    m_marking = false;
}

#include "HubFrame.moc"
