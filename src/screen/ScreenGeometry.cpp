#include "screen/ScreenGeometry.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

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

WindowPlacement placeWindow(const QRect& wanted, const QList<QRect>& displays, const QRect& primaryAvailable,
                            int consoleWidth)
{
    if (wanted.isEmpty())
        return {wanted, false, false};
    for (int i = 1; i < displays.size(); ++i)
        if (displays.at(i).contains(wanted.topLeft()))
            return {wanted, false, false};
    const int margin = primaryAvailable.width() / 100;
    const int strip = (primaryAvailable.width() - consoleWidth) / 2 - 2 * margin;
    const bool beside = strip >= kMinStandInWidth;
    // Beside the console, or (when it starts minimised) at most half the display each way.
    const QSize room = beside ? QSize(strip, primaryAvailable.height() - 2 * margin)
                              : QSize(primaryAvailable.width() / 2, primaryAvailable.height() / 2);
    QSize size = wanted.size();
    if (size.width() > room.width() || size.height() > room.height())
        size = size.scaled(room, Qt::KeepAspectRatio);
    const QRect rect(primaryAvailable.right() + 1 - margin - size.width(),
                     primaryAvailable.bottom() + 1 - margin - size.height(), size.width(), size.height());
    return {rect, true, !beside};
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

int edgeMargin(const QRect& rect)
{
    return qMax(1, qMin(rect.width(), rect.height()) / 100);
}

HeaderBoxes headerBoxes(const QRect& client, bool hasTopLine, bool hasHeading, int lineHeight)
{
    const int bottom = chartArea(client).top() - edgeMargin(client);
    HeaderBoxes boxes;
    auto box = [&client](int top, int bottomEdge) {
        return QRect(client.left(), top, client.width(), qMax(0, bottomEdge - top));
    };
    if (hasTopLine && hasHeading) {
        const int top = topLineY(client);
        const int middle = top + qMax(0, bottom - top) / 2;
        boxes.topLine = box(top, middle);
        boxes.heading = box(middle, bottom);
    } else if (hasTopLine) {
        boxes.topLine = box(topLineY(client), bottom);
    } else if (hasHeading) {
        boxes.heading = box(qMax(topLineY(client), qMin(headingY(client), bottom - lineHeight)), bottom);
    }
    return boxes;
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

TableColumns tableColumns(const QRect& area, PanelSubKind subKind, int rowCount)
{
    const int u = area.width() / 6;
    TableColumns columns;
    columns.labelX = area.left() + 3 * u / 4;
    columns.valueX = area.left() + 11 * u / 4;
    columns.unitX = area.left() + 15 * u / 4;
    columns.percentX = area.left() + 19 * u / 4;
    columns.firstRowY = area.top() + area.height() / 20;
    columns.rowPitch = area.height() / (subKind == PanelSubKind::MotionResult ? 6 : 5);
    columns.textHeight = columns.rowPitch * 17 / 20;
    // The same air under the last row as above the first one.
    const int limit = area.bottom() + 1 - area.height() / 20;
    if (rowCount > 0 && columns.firstRowY + (rowCount - 1) * columns.rowPitch + columns.textHeight > limit) {
        columns.rowPitch = qMax(0, limit - columns.firstRowY) * 20 / (20 * (rowCount - 1) + 17);
        columns.textHeight = columns.rowPitch * 17 / 20;
    }
    return columns;
}

QRect tableRowCell(const QRect& area, const TableColumns& columns, int row)
{
    return QRect(columns.labelX, columns.firstRowY + row * columns.rowPitch,
                 qMax(0, area.right() + 1 - edgeMargin(area) - columns.labelX), columns.textHeight);
}

int barWidthDivisor(PanelSubKind subKind, int barCount)
{
    switch (subKind) {
    case PanelSubKind::MotionResult:
        // Five bars when the unpressed count as abstaining, six otherwise.
        return barCount == 5 ? 11 : 13;
    case PanelSubKind::ThreeCandidatesOneChoice:
    case PanelSubKind::ThreeCandidatesSeveralChoices:
        return 7;
    case PanelSubKind::FiveCandidatesOneChoice:
    case PanelSubKind::FiveCandidatesSeveralChoices:
    case PanelSubKind::SignInFigures:
        return 11;
    case PanelSubKind::None:
    case PanelSubKind::MeanMark:
        break;
    }
    return 0;
}

int maxBars(PanelSubKind subKind)
{
    switch (subKind) {
    case PanelSubKind::MotionResult:
        return 6;
    case PanelSubKind::ThreeCandidatesOneChoice:
    case PanelSubKind::ThreeCandidatesSeveralChoices:
        return 3;
    case PanelSubKind::FiveCandidatesOneChoice:
    case PanelSubKind::FiveCandidatesSeveralChoices:
    case PanelSubKind::SignInFigures:
        return 5;
    case PanelSubKind::None:
    case PanelSubKind::MeanMark:
        break;
    }
    return 0;
}

int baseLineY(const QRect& area)
{
    return area.top() + area.height() * 4 / 5;
}

BaseLine baseLine(const QRect& area, PanelSubKind subKind, int barCount)
{
    BaseLine line;
    line.y = baseLineY(area);
    const int divisor = barWidthDivisor(subKind, barCount);
    if (divisor == 0)
        return line;
    const int barWidth = area.width() / divisor;
    const int lastBarEnd = area.left() + (divisor - 1) * barWidth + area.height() / 60;
    line.left = area.left() + barWidth / 2;
    line.right = qMax(area.left() + divisor * barWidth - barWidth / 2, lastBarEnd + 1);
    return line;
}

QList<Bar> histogram(const QRect& area, PanelSubKind subKind, const QList<double>& values, int headroom)
{
    QList<Bar> bars;
    const int count = qMin(int(values.size()), maxBars(subKind));
    const int divisor = barWidthDivisor(subKind, count);
    if (divisor == 0)
        return bars;
    const int h = area.height();
    const int barWidth = area.width() / divisor;
    const int base = baseLineY(area);
    if (headroom < 0)
        headroom = h / 10;
    double sum = 0;
    double largest = 0;
    for (int i = 0; i < values.size(); ++i) {
        sum += qMax(0.0, values.at(i));
        if (i < count)
            largest = qMax(largest, values.at(i));
    }
    // A bar of nearly all the votes would put its value above the chart area;
    // then every bar is lowered alike, so they stay in proportion.
    double scale = 1.0;
    const double tallest = sum > 0 ? 7.0 * largest * h / (10.0 * sum) : 0.0;
    const int room = base - (area.top() + edgeMargin(area)) - headroom;
    if (tallest > room && tallest > 0)
        scale = qMax(0, room) / tallest;
    for (int i = 0; i < count; ++i) {
        const double value = qMax(0.0, values.at(i));
        // Truncated, so the bars of all values together never pass 70% of the height.
        const double full = sum > 0 ? 7.0 * value * h / (10.0 * sum) : 0.0;
        const int height = int(scale < 1.0 ? full * scale : full);
        Bar bar;
        const int left = area.left() + (2 * i + 1) * barWidth;
        bar.front = QRect(left, base - height, barWidth, height);
        bar.depth = h / 60;
        bar.valueTopLeft = QPoint(left + barWidth / 4, base - height - h / 10);
        // Value and label may each be a bar and three quarters wide: neighbours keep a quarter apart.
        bar.valueCell = QRect(bar.valueTopLeft, QSize(3 * barWidth / 2, qMax(0, h / 10 - bar.depth)));
        const int labelLeft = qMax(area.left(), left + barWidth / 2 - 7 * barWidth / 8);
        const int labelRight = qMin(area.right() + 1, left + barWidth / 2 + 7 * barWidth / 8);
        const int labelTop = base + h / 40;
        bar.labelCell = QRect(labelLeft, labelTop, labelRight - labelLeft,
                              qMax(0, area.bottom() + 1 - edgeMargin(area) - labelTop));
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

int dishHalfWidth(const Pie& pie, int top, int bottom)
{
    // The rim hangs a depth below the top face: a row there is as wide as the face a depth higher.
    const double cy = pie.centre.y();
    double y = cy;
    if (bottom < cy)
        y = bottom;
    else if (top > cy + pie.depth)
        y = top - pie.depth;
    const double t = (y - cy) / (pie.topFace.height() / 2.0);
    if (qAbs(t) >= 1.0)
        return 0;
    return int(std::ceil(pie.topFace.width() / 2.0 * std::sqrt(1.0 - t * t)));
}

QList<QRect> pieLabelRects(const Pie& pie, const QList<QSize>& sizes, const QRect& allowed)
{
    QList<QRect> rects(pie.slices.size());
    const int gap = qMax(1, allowed.height() / 100);
    auto clampInto = [&allowed](QRect& r) {
        r.moveLeft(qMax(allowed.left(), qMin(r.left(), allowed.right() + 1 - r.width())));
        r.moveTop(qMax(allowed.top(), qMin(r.top(), allowed.bottom() + 1 - r.height())));
    };
    QList<int> sides[2]; // left of the centre, right of it
    for (int i = 0; i < pie.slices.size(); ++i) {
        if (pie.slices.at(i).spanDegrees <= 0 || i >= sizes.size() || sizes.at(i).isEmpty())
            continue;
        QRect r(QPoint(0, 0), sizes.at(i));
        r.moveCenter(pie.slices.at(i).labelPoint.toPoint());
        clampInto(r);
        rects[i] = r;
        sides[pie.slices.at(i).labelPoint.x() >= pie.centre.x() ? 1 : 0].append(i);
    }
    for (QList<int>& side : sides) {
        std::sort(side.begin(), side.end(),
                  [&rects](int a, int b) { return rects[a].top() < rects[b].top(); });
        // Down the side, each label below the one before it ...
        int previousBottom = allowed.top() - gap;
        for (const int i : side) {
            if (rects[i].top() < previousBottom + gap)
                rects[i].moveTop(previousBottom + gap);
            previousBottom = rects[i].top() + rects[i].height();
        }
        // ... and back up from the bottom edge where the last ones ran past it.
        int nextTop = allowed.bottom() + 1 + gap;
        for (auto it = side.rbegin(); it != side.rend(); ++it) {
            QRect& r = rects[*it];
            if (r.top() + r.height() > nextTop - gap)
                r.moveTop(nextTop - gap - r.height());
            nextTop = r.top();
        }
    }
    // A label beside the dish starts (or ends) outside it, so no text lies on the slices.
    const int air = qMax(1, pie.topFace.width() / 40);
    for (int side = 0; side < 2; ++side) {
        for (const int i : sides[side]) {
            QRect& r = rects[i];
            const int reach = dishHalfWidth(pie, r.top(), r.bottom());
            if (reach <= 0)
                continue;
            if (side == 1)
                r.moveLeft(
                    qMin(qMax(r.left(), pie.centre.x() + reach + air), allowed.right() + 1 - r.width()));
            else
                r.moveLeft(qMax(qMin(r.left(), pie.centre.x() - reach - air - r.width()), allowed.left()));
        }
    }
    // Labels near the top or bottom of the dish can meet across the middle: part them sideways.
    const int middle = pie.centre.x();
    for (const int l : sides[0]) {
        for (const int r : sides[1]) {
            if (!rects[l].adjusted(0, 0, gap, 0).intersects(rects[r]))
                continue;
            rects[l].moveRight(qMin(rects[l].right(), middle - gap / 2 - 1));
            rects[r].moveLeft(qMax(rects[r].left(), middle + gap - gap / 2));
            rects[l].moveLeft(qMax(allowed.left(), rects[l].left()));
            rects[r].moveLeft(qMin(rects[r].left(), allowed.right() + 1 - rects[r].width()));
        }
    }
    return rects;
}

QPointF leaderEnd(const QRectF& label, const QPointF& leaderStart)
{
    return QPointF(qBound(label.left(), leaderStart.x(), label.right()),
                   qBound(label.top(), leaderStart.y(), label.bottom()));
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
