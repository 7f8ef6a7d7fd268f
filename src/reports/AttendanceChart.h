#pragma once
// The small chart under the sign-in register: units present over the
// meeting's time as a step line, with the quorum as a dashed level. The
// geometry is plain numbers (tested without painting); paint() draws it on
// any QPainter.

#include <QDateTime>
#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <optional>
#include <utility>

class QPainter;

namespace AttendanceChart {

struct Input
{
    QList<std::pair<QDateTime, int>> arrivals; // first arrivals in time order, count after each
    int due = 0;
    int quorum = 0; // units needed; 0 draws no quorum line
};

struct Geometry
{
    QRectF plot;     // the area inside the axes
    QPolygonF steps; // the present count as steps, left to right
    std::optional<double> quorumY;
    int top = 0; // the count at the top of the plot
    QDateTime from;
    QDateTime to;
};

// Nothing to draw (no arrivals) gives an empty step line.
Geometry layout(const Input& input, const QRectF& area);

struct Labels
{
    QString title;  // "units present"
    QString quorum; // beside the quorum line
};
void paint(QPainter& painter, const Input& input, const QRectF& area, const Labels& labels);

} // namespace AttendanceChart
