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

namespace SeatPainter {

QColor stateColour(SeatState state);
// `lifted` marks a seat the operator is carrying in edit mode.
void paintSeat(QPainter& painter, const Seat& seat, SeatState state, const QString& label,
               bool lifted = false);
// The tile alone, for a legend.
void paintTile(QPainter& painter, const QRect& tile, SeatState state);

} // namespace SeatPainter
