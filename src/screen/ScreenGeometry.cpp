#include "ScreenGeometry.h"

#include <QtMath>

namespace ScreenGeometry {

int sizeNumber(const QString& text)
{
    qint64 number = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        number = number * 10 + (c.unicode() - '0');
        if (number > kMaxScreenSide)
            return kMaxScreenSide;
    }
    return int(number);
}

QRect windowRect(const QString& scrSize, int primaryWidth)
{
    // Width before the first "*", height after it (further stars dropped, their digits kept).
    const int star = scrSize.indexOf(QLatin1Char('*'));
    const QString width = star < 0 ? scrSize : scrSize.left(star);
    const QString height = star < 0 ? QString() : scrSize.mid(star + 1);
    return QRect(primaryWidth, 0, sizeNumber(width), sizeNumber(height));
}

WindowPlacement placeWindow(const QRect& wanted, const QList<QRect>& displays, const QRect& primaryAvailable)
{
    if (wanted.isEmpty())
        return {wanted, false};
    for (int i = 1; i < displays.size(); ++i)
        if (displays.at(i).contains(wanted.topLeft()))
            return {wanted, false};
    // A framed stand-in in the lower right of the primary display, at most half of it
    // each way with the same proportions, so the console beside it stays usable.
    const QSize room(primaryAvailable.width() / 2, primaryAvailable.height() / 2);
    QSize size = wanted.size();
    if (size.width() > room.width() || size.height() > room.height())
        size = size.scaled(room, Qt::KeepAspectRatio);
    const int margin = primaryAvailable.width() / 100;
    const QRect rect(primaryAvailable.right() + 1 - margin - size.width(),
                     primaryAvailable.bottom() + 1 - margin - size.height(), size.width(), size.height());
    return {rect, true};
}

int textSizeTenths(int clientWidth)
{
    return 2 * clientWidth / 5;
}

int tenthsToPixels(int tenths)
{
    return tenths * 96 / 720;
}

QRect chartArea(const QRect& client)
{
    return client.adjusted(client.width() * 5 / 100, client.height() * 2 / 15, 0, 0);
}

QRect gridArea(const QRect& client)
{
    return client.adjusted(client.width() * 5 / 100, client.height() * 5 / 100, 0, 0);
}

int headingY(const QRect& client)
{
    return client.top() + client.height() * 5 / 100;
}

int topLineY(const QRect& client)
{
    return client.top() + client.height() * 2 / 100;
}

int centredX(int left, int width, int textWidth)
{
    return left + (width - textWidth) / 2;
}

ThreeLines threeLines(const QRect& client, bool line2Empty)
{
    const int h = client.height() / 6;
    ThreeLines lines;
    lines.line1Y = client.top() + (line2Empty ? 2 * h : h);
    lines.line2Y = client.top() + 2 * h;
    lines.line3Y = client.top() + 3 * h;
    return lines;
}

KeyLegend keyLegend(const QRect& area)
{
    const int w6 = area.width() / 6;
    const int h6 = area.height() / 6;
    KeyLegend legend;
    legend.labelX = area.left() + w6;
    legend.rowPitch = h6;
    for (int i = 1; i <= 5; ++i)
        legend.rowY.append(area.top() + h6 / 2 + (i - 1) * h6);
    legend.line3Y = area.top() + 5 * h6;
    return legend;
}

TableColumns tableColumns(const QRect& area, int subKind)
{
    const int u = area.width() / 6;
    TableColumns columns;
    columns.labelX = area.left() + 3 * u / 4;
    columns.valueX = area.left() + 11 * u / 4;
    columns.unitX = area.left() + 15 * u / 4;
    columns.percentX = area.left() + 19 * u / 4;
    columns.firstRowY = area.top() + area.height() / 20;
    columns.rowPitch = area.height() / (subKind == 1 ? 6 : 5);
    return columns;
}

int barWidthDivisor(int subKind)
{
    switch (subKind) {
    case 1:
        return 12;
    case 2:
    case 3:
        return 7;
    case 4:
    case 5:
    case 7:
        return 11;
    default:
        return 0;
    }
}

int maxBars(int subKind)
{
    switch (subKind) {
    case 1:
        return 6;
    case 2:
    case 3:
        return 3;
    case 4:
    case 5:
    case 7:
        return 5;
    default:
        return 0;
    }
}

int baseLineY(const QRect& area)
{
    return area.top() + area.height() * 4 / 5;
}

QList<Bar> histogram(const QRect& area, int subKind, const QList<double>& values)
{
    QList<Bar> bars;
    const int divisor = barWidthDivisor(subKind);
    if (divisor == 0)
        return bars;
    const int h = area.height();
    const int barWidth = area.width() / divisor;
    const int base = baseLineY(area);
    double sum = 0;
    for (const double value : values)
        sum += qMax(0.0, value);
    const int count = qMin(int(values.size()), maxBars(subKind));
    for (int i = 0; i < count; ++i) {
        const double value = qMax(0.0, values.at(i));
        // Truncated, so the bars of all values together never pass 70% of the height.
        const int height = sum > 0 ? int(7.0 * value * h / (10.0 * sum)) : 0;
        Bar bar;
        const int left = area.left() + (2 * i + 1) * barWidth;
        bar.front = QRect(left, base - height, barWidth, height);
        bar.depth = h / 60;
        bar.valueTopLeft = QPoint(left + barWidth / 4, base - height - h / 10);
        const int labelLeft = qMax(area.left(), left - barWidth / 2);
        const int labelRight = qMin(area.right() + 1, left + barWidth + barWidth / 2);
        bar.labelCell =
            QRect(labelLeft, base + h / 40, labelRight - labelLeft, area.bottom() + 1 - base - h / 40);
        bars.append(bar);
    }
    return bars;
}

Pie pie(const QRect& client, const QList<double>& values)
{
    const int w = client.width() / 2;
    const int h = client.height() / 2;
    Pie result;
    result.topFace = QRect(client.left() + w / 2, client.top() + h / 2, w, h);
    result.depth = h / 10;
    result.centre = QPoint(client.left() + w, client.top() + h);
    result.greyLineTop = QPoint(client.left() + w / 2, client.top() + h);
    result.greyLineBottom = result.greyLineTop + QPoint(0, result.depth);

    double sum = 0;
    for (const double value : values)
        sum += qMax(0.0, value);
    if (sum <= 0)
        return result;
    int start = 0;
    for (const double raw : values) {
        Slice slice;
        slice.startDegrees = start;
        // Truncated to whole degrees, so the slices may leave a small gap before 360.
        slice.spanDegrees = int(qMax(0.0, raw) * 360.0 / sum);
        slice.middleDegrees = start + slice.spanDegrees / 2.0;
        const double m = qDegreesToRadians(slice.middleDegrees);
        const double cx = result.centre.x();
        const double cy = result.centre.y();
        slice.leaderStart = QPointF(cx + w / 4.0 * qCos(m), cy - h / 4.0 * qSin(m));
        slice.labelPoint = QPointF(cx + w * qCos(m) / 1.3, cy - h * qSin(m) / 1.3);
        result.slices.append(slice);
        start += slice.spanDegrees;
    }
    return result;
}

NameCells nameCells(const QRect& client, int rows, int columns, int count)
{
    NameCells cells;
    if (rows <= 0 || columns <= 0)
        return cells;
    const QRect grid = gridArea(client);
    cells.cellWidth = grid.width() / columns;
    cells.cellHeight = grid.height() / (rows + 1);
    const int drawn = qMax(0, qMin(count, rows * columns));
    for (int i = 0; i < drawn; ++i)
        cells.topLeft.append(QPoint(grid.left() + (i % columns) * cells.cellWidth,
                                    grid.top() + (i / columns + 1) * cells.cellHeight));
    return cells;
}

} // namespace ScreenGeometry
