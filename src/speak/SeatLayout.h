#pragma once
// The picture of the hall: one seat per delegate unit, a 42 x 42 seat with a
// 42 x 15 label under it, laid out as a grid and then moved by hand to where
// the units really are. Kept in System/seat.ini:
//
//     [appInfo]  count=N
//     [Control1] caption=1  left= top= right= bottom=  left1= top1= right1= bottom1=
//     ...
//
// The same layout is drawn by the settings page (where seats are moved) and
// by the speaking page (where seats show their microphones). No widgets here.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

struct Seat
{
    QString caption;
    QRect button;
    QRect label;
};

// How a new layout is laid out: seats per row, gaps in pixels.
struct SeatGrid
{
    int perRow = 12;
    int columnGap = 10;
    int rowGap = 30;
};

class SeatLayout
{
public:
    static constexpr int kMaxSeats = 255;
    static constexpr int kSeatSize = 42;
    static constexpr int kLabelHeight = 15;
    // Seats are kept inside this width (the drawing area of both pages) and
    // above this depth; the drawing scrolls down for halls taller than it shows.
    static constexpr int kCanvasWidth = 800;
    static constexpr int kMaxDepth = 8000;

    // Seats 1..count row by row, captions their numbers. A count below 1 gives
    // none. Rows take fewer seats than asked when more would leave the canvas.
    static SeatLayout grid(int count, const SeatGrid& grid = SeatGrid());
    // What the file holds that is sound: the count is clamped to 1..255, each
    // seat to the canvas. A missing file gives no seats. `damaged` tells of a
    // file that is there but whose count or seat places are not numbers.
    static SeatLayout load(const QString& path, bool* damaged = nullptr);
    // Replaces the file with this layout; false when it cannot be written.
    bool save(const QString& path) const;

    int count() const { return int(m_seats.size()); }
    bool isEmpty() const { return m_seats.isEmpty(); }
    // Seat n (1-based).
    const Seat& seat(int number) const { return m_seats[number - 1]; }
    // Drops the seats after the first `count`.
    void keepFirst(int count);
    // The label goes with its seat; the seat stays on the canvas.
    void moveSeat(int number, const QPoint& topLeft);
    // The seat (1-based) whose picture or label holds the point, 0 for none.
    int seatAt(const QPoint& point) const;
    // Bottom-right corner of everything drawn, for the scrolling extent.
    QPoint extent() const;

private:
    static QRect labelUnder(const QRect& button);
    static QPoint keptOnCanvas(const QPoint& topLeft);

    QList<Seat> m_seats;
};
