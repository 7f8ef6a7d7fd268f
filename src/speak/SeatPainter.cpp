#include "speak/SeatPainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace SeatPainter {

QColor stateColour(SeatState state)
{
    switch (state) {
    case SeatState::MicOpen:
        return QColor(0x1f, 0x9d, 0x55);
    case SeatState::Absent:
        return QColor(0xb4, 0xbb, 0xc6);
    case SeatState::Forbidden:
        return QColor(0xc6, 0x2f, 0x2f);
    case SeatState::MicClosed:
        break;
    }
    return QColor(0x2f, 0x4a, 0x6d);
}

void paintTile(QPainter& painter, const QRect& tile, SeatState state)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(tile).adjusted(1, 1, -1, -1);
    const qreal unit = box.width() / 42.0;
    painter.setPen(QPen(stateColour(state).darker(140), 1.2));
    painter.setBrush(stateColour(state));
    painter.drawRoundedRect(box, 7 * unit, 7 * unit);

    // The microphone: a capsule on a stem over a foot.
    const QColor ink = state == SeatState::Absent ? QColor(0x6c, 0x74, 0x80) : QColor(Qt::white);
    const qreal cx = box.center().x();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(cx - 5 * unit, box.top() + 6 * unit, 10 * unit, 16 * unit), 5 * unit,
                            5 * unit);
    QPen stem(ink, 2.2 * unit, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(stem);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(cx - 9 * unit, box.top() + 9 * unit, 18 * unit, 18 * unit), 200 * 16, 140 * 16);
    painter.drawLine(QPointF(cx, box.top() + 27 * unit), QPointF(cx, box.top() + 32 * unit));
    painter.drawLine(QPointF(cx - 6 * unit, box.top() + 33 * unit),
                     QPointF(cx + 6 * unit, box.top() + 33 * unit));
    if (state == SeatState::Forbidden) {
        painter.setPen(QPen(QColor(Qt::white), 3 * unit, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(box.left() + 8 * unit, box.bottom() - 8 * unit),
                         QPointF(box.right() - 8 * unit, box.top() + 8 * unit));
    }
    if (state == SeatState::MicOpen) {
        // Sound waves beside the capsule, so "open" does not rest on colour alone.
        painter.setPen(QPen(QColor(Qt::white), 1.6 * unit, Qt::SolidLine, Qt::RoundCap));
        for (qreal r : {9.0, 13.0})
            painter.drawArc(QRectF(cx - r * unit, box.top() + (14 - r) * unit, 2 * r * unit, 2 * r * unit),
                            -35 * 16, 70 * 16);
    }
    painter.restore();
}

QColor ringColour(TimeRing::Phase phase)
{
    switch (phase) {
    case TimeRing::Phase::Warning:
        return QColor(0xff, 0xb0, 0x20);
    case TimeRing::Phase::Over:
        return QColor(0xe0, 0x1b, 0x1b);
    case TimeRing::Phase::Running:
        break;
    }
    return QColor(Qt::white);
}

void paintRing(QPainter& painter, const Seat& seat, const TimeRing& ring)
{
    // Inside the tile's edge, so a seat at the border of the hall keeps its whole ring.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(seat.button).adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 3));
    painter.drawEllipse(box);
    painter.setPen(QPen(ringColour(ring.phase), 3, Qt::SolidLine, Qt::FlatCap));
    if (ring.phase == TimeRing::Phase::Over)
        painter.drawEllipse(box);
    else
        painter.drawArc(box, 90 * 16, int(-360 * 16 * qBound(0.0, ring.left, 1.0)));
    painter.restore();
}

void paintSeat(QPainter& painter, const Seat& seat, SeatState state, const QString& label, bool lifted)
{
    paintTile(painter, seat.button, state);
    painter.save();
    if (lifted) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(seat.button).adjusted(-2, -2, 2, 2), 8, 8);
    }
    // A pale band behind the label keeps it readable over any picture.
    painter.fillRect(seat.label, QColor(255, 255, 255, 210));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(0x1b, 0x24, 0x33));
    painter.drawText(seat.label, Qt::AlignCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(label, Qt::ElideRight, seat.label.width()));
    painter.restore();
}

} // namespace SeatPainter
