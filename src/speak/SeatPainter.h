#pragma once
// Draws a seat of the hall as a microphone tile in the colour of its state,
// with its label under it. Paints onto any paint device, so the settings
// canvas, the speaking page's seat map, its legend and the tests share one drawing.

#include "speak/SeatLayout.h"

#include <QColor>

class QPainter;

enum class SeatState
{
    MicClosed,
    MicOpen,
    Absent,
    Forbidden
};

// A speaker's time on the seat: the share still left (1 full, 0 none) and its colour
// (white while it runs, amber from 30 s left, red when it is up).
struct TimeRing
{
    enum class Phase
    {
        Running,
        Warning, // 30 s or less left: amber
        Over     // the time is up: red
    };
    double left = 1;
    Phase phase = Phase::Running;
    bool operator==(const TimeRing&) const = default;
};

namespace SeatPainter {

QColor stateColour(SeatState state);
// `lifted` marks a seat the operator is carrying in edit mode.
void paintSeat(QPainter& painter, const Seat& seat, SeatState state, const QString& label,
               bool lifted = false);
QColor ringColour(TimeRing::Phase phase);
// The thin ring just inside a seat's tile; it empties clockwise from the top.
void paintRing(QPainter& painter, const Seat& seat, const TimeRing& ring);
// The tile alone, for a legend.
void paintTile(QPainter& painter, const QRect& tile, SeatState state);

} // namespace SeatPainter
