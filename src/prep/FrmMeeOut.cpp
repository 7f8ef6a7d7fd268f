#include "prep/FrmMeeOut.h"

#include "prep/FrmManinfo.h"
#include "prep/FrmMeeMat.h"
#include "prep/FrmMeeset.h"
#include "core/LanguageTable.h"
#include "prep/PrepPage.h"
#include "ui/WindowPlacement.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

QString key(const char* text)
{
    return QString::fromLatin1(text);
}

// The two small marks beside the heading: a sheet for meetings and motions, a person for delegates.
QPixmap mark(bool person)
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf2, 0xb1, 0x34));
    if (person) {
        painter.drawEllipse(QRectF(9, 3, 10, 10));
        QPainterPath body;
        body.addRoundedRect(QRectF(4, 15, 20, 11), 5, 5);
        painter.drawPath(body);
    } else {
        painter.drawRoundedRect(QRectF(5, 2, 18, 24), 3, 3);
        painter.setPen(QPen(QColor(0x1d, 0x3a, 0x6b), 2));
        for (int y : {9, 14, 19})
            painter.drawLine(QPointF(9, y), QPointF(19, y));
    }
    return pixmap;
}

const char* const kStyle = R"(
QDialog#FrmMeeOut { background: #eef2f7; }
QWidget#PrepPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1d3a6b, stop:1 #12284d); }
QWidget#PrepPanel QPushButton {
    color: white; font-size: 15px; font-weight: bold; border: 1px solid #5d7fb5; border-radius: 8px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a67b0, stop:1 #26508f);
}
QWidget#PrepPanel QPushButton:hover { background: #4677c4; }
QWidget#PrepPanel QPushButton:disabled { color: #9fb3d6; background: #203f73; border-color: #2f4f85; }
QLabel#1354 { color: white; font-size: 16px; font-weight: bold; }
QLabel#1355 { color: #1d3a6b; font-size: 16px; font-weight: bold; }
)";

} // namespace

FrmMeeOut::FrmMeeOut(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmMeeOut"));
    const Texts texts(QStringLiteral("FrmMeeOut"));
    setWindowTitle(texts(key("DlgName")));
    setFixedSize(1024, 741);
    // Large windows open centred, where the main window stood.
    WindowPlacement::centreOnScreen(*this);
    setStyleSheet(QString::fromLatin1(kStyle));
    m_titles[0] = texts(key("MsgClew2"));
    m_titles[1] = texts(key("MsgClew3"));
    m_titles[2] = texts(key("MsgClew4"));

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PrepPanel"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setGeometry(0, 0, 190, 741);

    m_iconMeeting = new QLabel(panel);
    m_iconMeeting->setObjectName(QStringLiteral("1522"));
    m_iconMeeting->setPixmap(mark(false));
    m_iconMeeting->setGeometry(10, 12, 28, 28);
    m_iconDelegate = new QLabel(panel);
    m_iconDelegate->setObjectName(QStringLiteral("1521"));
    m_iconDelegate->setPixmap(mark(true));
    m_iconDelegate->setGeometry(10, 12, 28, 28);
    m_heading = new QLabel(texts(key("MsgClew1")), panel);
    m_heading->setObjectName(QStringLiteral("1354"));
    m_heading->setGeometry(44, 8, 140, 36);
    m_heading->setWordWrap(true);
    m_pageTitle = new QLabel(m_titles[0], this);
    m_pageTitle->setObjectName(QStringLiteral("1355"));
    m_pageTitle->setGeometry(206, 4, 800, 26);

    auto button = [&](const char* id, int y) {
        auto* b = new QPushButton(texts(key(id)), panel);
        b->setObjectName(key(id));
        b->setAccessibleName(b->text());
        b->setGeometry(20, y, 150, 50);
        b->setAutoDefault(false);
        return b;
    };
    m_meetingsButton = button("IDC_FOUND_ADMEE", 60);
    m_motionsButton = button("IDC_FOUND_ADOVE", 160);
    m_delegatesButton = button("IDC_FOUND_ADMAN", 260);
    m_exit = button("IDC_MEEFITOUT_EXIT", 550);

    m_meetings = new FrmMeeset(this);
    m_motions = new FrmMeeMat(this);
    m_delegates = new FrmManinfo(this);
    for (QWidget* page : {static_cast<QWidget*>(m_meetings), static_cast<QWidget*>(m_motions), m_delegates})
        if (page) {
            page->setGeometry(198, 33, 818, 655);
            page->hide();
        }

    connect(m_meetingsButton, &QPushButton::clicked, this, &FrmMeeOut::showMeetings);
    connect(m_motionsButton, &QPushButton::clicked, this, &FrmMeeOut::showMotions);
    connect(m_delegatesButton, &QPushButton::clicked, this, &FrmMeeOut::showDelegates);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_meetings, &FrmMeeset::meetingUsable, this, [this](bool usable) {
        m_meetingUsable = usable;
        updateButtons();
    });

    showMeetings();
}

void FrmMeeOut::updateButtons()
{
    m_meetingsButton->setEnabled(m_current != m_meetings);
    m_motionsButton->setEnabled(m_meetingUsable && m_current != m_motions);
    m_delegatesButton->setEnabled(m_delegates && m_meetingUsable && m_current != m_delegates);
}

void FrmMeeOut::showPage(QWidget* page, QPushButton* pressed, const QString& title, bool meetingIcon)
{
    Q_UNUSED(pressed);
    for (QWidget* other : {static_cast<QWidget*>(m_meetings), static_cast<QWidget*>(m_motions), m_delegates})
        if (other && other != page)
            other->hide();
    m_current = page;
    m_pageTitle->setText(title);
    m_iconMeeting->setVisible(meetingIcon);
    m_iconDelegate->setVisible(!meetingIcon);
    page->show();
    updateButtons();
}

void FrmMeeOut::showMeetings()
{
    showPage(m_meetings, m_meetingsButton, m_titles[0], true);
}

void FrmMeeOut::showMotions()
{
    if (!m_meetingUsable)
        return;
    m_motions->openMeeting(m_meetings->selectedName(), m_meetings->selectedKey());
    showPage(m_motions, m_motionsButton, m_titles[1], true);
}

void FrmMeeOut::showDelegates()
{
    if (!m_delegates || !m_meetingUsable)
        return;
    if (auto* page = dynamic_cast<PrepPage*>(m_delegates))
        page->openMeeting(m_meetings->selectedName(), m_meetings->selectedKey());
    showPage(m_delegates, m_delegatesButton, m_titles[2], false);
}

void FrmMeeOut::done(int)
{
    // Exit, Escape or the window's close box: each is the normal way out, and the
    // caller then reloads what the operator may have changed.
    QDialog::done(QDialog::Accepted);
}
