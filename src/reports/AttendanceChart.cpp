#include "reports/AttendanceChart.h"

#include <QPainter>

namespace AttendanceChart {

namespace {

constexpr double kLeftMargin = 40;
constexpr double kRightMargin = 90;
constexpr double kTopMargin = 22;
constexpr double kBottomMargin = 22;

} // namespace

Geometry layout(const Input& input, const QRectF& area)
{
    Geometry g;
    g.plot = area.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
    int highest = qMax(input.due, input.quorum);
    for (const auto& arrival : input.arrivals)
        highest = qMax(highest, arrival.second);
    g.top = qMax(1, highest);
    const auto yOf = [&](int count) { return g.plot.bottom() - g.plot.height() * count / g.top; };
    if (input.quorum > 0)
        g.quorumY = yOf(input.quorum);
    if (input.arrivals.isEmpty())
        return g;
    g.from = input.arrivals.first().first;
    g.to = input.arrivals.last().first;
    const qint64 span = qMax<qint64>(1, g.from.secsTo(g.to));
    const auto xOf = [&](const QDateTime& at) {
        return g.plot.left() + g.plot.width() * g.from.secsTo(at) / span;
    };
    int count = 0;
    g.steps << QPointF(g.plot.left(), yOf(0));
    for (const auto& [at, present] : input.arrivals) {
        const double x = xOf(at);
        g.steps << QPointF(x, yOf(count)) << QPointF(x, yOf(present));
        count = present;
    }
    g.steps << QPointF(g.plot.right(), yOf(count));
    return g;
}

void paint(QPainter& painter, const Input& input, const QRectF& area, const Labels& labels)
{
    const Geometry g = layout(input, area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    painter.setPen(QColor(0x33, 0x33, 0x33));
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QRectF(area.left() + kLeftMargin, area.top(), area.width() - kLeftMargin, kTopMargin),
                     Qt::AlignLeft | Qt::AlignVCenter, labels.title);
    painter.setPen(QPen(QColor(0x88, 0x88, 0x88), 1));
    painter.drawLine(g.plot.bottomLeft(), g.plot.bottomRight());
    painter.drawLine(g.plot.bottomLeft(), g.plot.topLeft());
    painter.setPen(QColor(0x33, 0x33, 0x33));
    const QRectF axisLabel(area.left(), 0, kLeftMargin - 6, metrics.height());
    painter.drawText(axisLabel.translated(0, g.plot.top() - metrics.height() / 2),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(g.top));
    painter.drawText(axisLabel.translated(0, g.plot.bottom() - metrics.height() / 2),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    if (g.from.isValid()) {
        const QRectF timeLine(g.plot.left(), g.plot.bottom() + 2, g.plot.width(), kBottomMargin - 2);
        painter.drawText(timeLine, Qt::AlignLeft | Qt::AlignVCenter,
                         g.from.toString(QStringLiteral("HH:mm:ss")));
        painter.drawText(timeLine, Qt::AlignRight | Qt::AlignVCenter,
                         g.to.toString(QStringLiteral("HH:mm:ss")));
    }
    if (g.quorumY) {
        QPen dashed(QColor(0xc0, 0x39, 0x2b), 1.5, Qt::DashLine);
        painter.setPen(dashed);
        painter.drawLine(QPointF(g.plot.left(), *g.quorumY), QPointF(g.plot.right(), *g.quorumY));
        painter.drawText(
            QRectF(g.plot.right() + 6, *g.quorumY - metrics.height() / 2, kRightMargin - 6, metrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1 %2").arg(labels.quorum).arg(input.quorum));
    }
    painter.setPen(QPen(QColor(0x1d, 0x5f, 0xb0), 2));
    painter.drawPolyline(g.steps);
    painter.restore();
}

} // namespace AttendanceChart
