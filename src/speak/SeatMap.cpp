#include "speak/SeatMap.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

SeatMap::SeatMap(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void SeatMap::setSeats(const SeatLayout& layout)
{
    m_layout = layout;
    m_lifted = 0;
    fitExtent();
    update();
}

void SeatMap::setBackground(const QImage& picture)
{
    m_background = picture;
    m_scaledBackground = QImage();
    update();
}

void SeatMap::setStates(const QList<SeatState>& states)
{
    for (int number = 1; number <= m_layout.count(); ++number) {
        const SeatState before = stateOf(number);
        const SeatState after = states.value(number - 1, SeatState::MicClosed);
        if (before != after)
            update(areaOf(number));
    }
    m_states = states;
}

void SeatMap::setLabels(const QStringList& labels)
{
    for (int number = 1; number <= m_layout.count(); ++number) {
        if (labels.value(number - 1) != m_labels.value(number - 1))
            update(areaOf(number));
    }
    m_labels = labels;
}

void SeatMap::setRings(const QHash<int, TimeRing>& rings)
{
    for (int number = 1; number <= m_layout.count(); ++number) {
        if (rings.value(number, TimeRing{-1}) != m_rings.value(number, TimeRing{-1}))
            update(areaOf(number));
    }
    m_rings = rings;
}

void SeatMap::setEditing(bool editing)
{
    if (!editing && m_lifted)
        putDown();
    m_editing = editing;
    setMouseTracking(editing);
    setCursor(editing ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

QSize SeatMap::sizeHint() const
{
    const QPoint corner = m_layout.extent();
    return QSize(qMax(corner.x(), SeatLayout::kCanvasWidth), corner.y() + 8);
}

SeatState SeatMap::stateOf(int number) const
{
    return m_states.value(number - 1, SeatState::MicClosed);
}

QString SeatMap::labelOf(int number) const
{
    const QString label = m_labels.value(number - 1);
    return label.isEmpty() ? m_layout.seat(number).caption : label;
}

bool SeatMap::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int number = m_layout.seatAt(help->pos());
    if (number > 0)
        QToolTip::showText(help->globalPos(), labelOf(number), this, areaOf(number));
    else
        QToolTip::hideText();
    return true;
}

QRect SeatMap::areaOf(int number) const
{
    const Seat& seat = m_layout.seat(number);
    // The frame of a lifted seat reaches a little beyond it.
    return seat.button.united(seat.label).adjusted(-4, -4, 4, 4);
}

void SeatMap::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // The picture is stretched over the whole hall once per size, so a seat's
    // repaint only copies the piece behind it.
    if (m_background.isNull()) {
        painter.fillRect(event->rect(), Qt::white);
    } else {
        if (m_scaledBackground.size() != size())
            m_scaledBackground = m_background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(event->rect().topLeft(), m_scaledBackground, event->rect());
    }
    for (int number = 1; number <= m_layout.count(); ++number) {
        if (event->region().intersects(areaOf(number))) {
            SeatPainter::paintSeat(painter, m_layout.seat(number), stateOf(number), labelOf(number),
                                   number == m_lifted);
            if (m_rings.contains(number))
                SeatPainter::paintRing(painter, m_layout.seat(number), m_rings.value(number));
        }
    }
}

void SeatMap::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_editing) {
        const int number = m_layout.seatAt(point);
        const SeatState state = number ? stateOf(number) : SeatState::Absent;
        if (event->button() == Qt::LeftButton && state != SeatState::Absent && state != SeatState::Forbidden)
            emit seatClicked(number);
        return;
    }
    if (m_lifted) {
        putDown();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_lifted = m_layout.seatAt(point);
        if (m_lifted) {
            setCursor(Qt::ClosedHandCursor);
            update(areaOf(m_lifted));
        }
    }
}

void SeatMap::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_lifted)
        return;
    update(areaOf(m_lifted));
    m_layout.moveSeat(m_lifted, event->position().toPoint());
    update(areaOf(m_lifted));
}

void SeatMap::putDown()
{
    const int number = m_lifted;
    m_lifted = 0;
    update(areaOf(number));
    setCursor(Qt::OpenHandCursor);
    fitExtent();
    emit seatPutDown(number);
}

void SeatMap::fitExtent()
{
    const QSize wanted = sizeHint();
    setMinimumSize(wanted);
    if (height() < wanted.height() || width() < wanted.width())
        resize(wanted.expandedTo(size()));
}
