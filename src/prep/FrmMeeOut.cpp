#include "prep/FrmMeeOut.h"

#include "prep/FrmManinfo.h"
#include "prep/FrmMeeMat.h"
#include "prep/FrmMeeset.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// The two small marks beside the title: a sheet for meetings and motions, a person for delegates.
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

} // namespace

FrmMeeOut::FrmMeeOut(MeetingListModel& meetings, QWidget* parent)
    : HubFrame(QStringLiteral("FrmMeeOut"), kTitle, parent)
{
    setHeading("1354", texts()(QStringLiteral("MsgClew1")));
    QLabel* sheet = addMark("1522", mark(false));
    QLabel* person = addMark("1521", mark(true));

    QPushButton* meetingsButton = addButton(kMeetingsButton, 60);
    QPushButton* motionsButton = addButton(kMotionsButton, 160);
    QPushButton* delegatesButton = addButton(kDelegatesButton, 260);
    QPushButton* exit = addButton(kExitButton, 550);

    m_meetings = new FrmMeeset(meetings, this);
    m_motions = new FrmMeeMat(this);
    m_delegates = new FrmManinfo(this);
    addPage(m_meetings, meetingsButton, texts()(QStringLiteral("MsgClew2")), sheet);
    addPage(m_motions, motionsButton, texts()(QStringLiteral("MsgClew3")), sheet);
    addPage(m_delegates, delegatesButton, texts()(QStringLiteral("MsgClew4")), person);
    setPageAvailable(m_meetings, true);

    connect(meetingsButton, &QPushButton::clicked, this, &FrmMeeOut::showMeetings);
    connect(motionsButton, &QPushButton::clicked, this, &FrmMeeOut::showMotions);
    connect(delegatesButton, &QPushButton::clicked, this, &FrmMeeOut::showDelegates);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_meetings, &FrmMeeset::meetingUsable, this, &FrmMeeOut::setMeetingUsable);

    setMeetingUsable(false);
    showMeetings();
}

void FrmMeeOut::setMeetingUsable(bool usable)
{
    m_meetingUsable = usable;
    setPageAvailable(m_motions, usable);
    setPageAvailable(m_delegates, usable);
    // Only while nothing is chosen: during an edit the list is locked anyway.
    const bool nothingChosen = !usable && m_meetings->selectedName().isEmpty();
    setHint(nothingChosen ? texts()(QStringLiteral("MsgHintMeeting")) : QString());
}

void FrmMeeOut::openMeetingPage(QWidget* page, PrepPage& prepPage)
{
    if (!m_meetingUsable)
        return;
    prepPage.openMeeting(m_meetings->selectedName(), m_meetings->selectedKey());
    showPage(page);
}

void FrmMeeOut::showMeetings()
{
    showPage(m_meetings);
}

void FrmMeeOut::showMotions()
{
    openMeetingPage(m_motions, *m_motions);
}

void FrmMeeOut::showDelegates()
{
    openMeetingPage(m_delegates, *m_delegates);
}

void FrmMeeOut::done(int)
{
    // Exit, Escape or the window's close box: each is the normal way out, and the
    // caller then reloads what the operator may have changed.
    QDialog::done(QDialog::Accepted);
}
