#include "ui/TrainingBand.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kStripes = 34; // width of the striped end on each side
constexpr int kLargestPixels = 15;
constexpr int kSmallestPixels = 10;
const QColor kAmber(0xf2, 0xb1, 0x34);
const QColor kDark(0x1d, 0x1d, 0x1d);

} // namespace

TrainingBand::TrainingBand(const QString& text, const QRect& place, QWidget* parent) : QLabel(text, parent)
{
    setObjectName(QLatin1String(kObjectName));
    setAccessibleName(text);
    setGeometry(place);
    m_textFont = font();
    m_textFont.setBold(true);
    for (int pixels = kLargestPixels; pixels >= kSmallestPixels; --pixels) {
        m_textFont.setPixelSize(pixels);
        if (QFontMetrics(m_textFont).horizontalAdvance(text) <= place.width() - 2 * kStripes - 8)
            break;
    }
    raise();
    show();
}

void TrainingBand::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kAmber);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDark);
    for (const int start : {0, width() - kStripes}) {
        painter.save();
        painter.setClipRect(start, 0, kStripes, height());
        for (int x = start - height(); x < start + kStripes; x += 12) {
            QPainterPath stripe;
            stripe.addPolygon(QPolygonF({QPointF(x, height()), QPointF(x + height(), 0),
                                         QPointF(x + height() + 6, 0), QPointF(x + 6, height())}));
            painter.drawPath(stripe);
        }
        painter.restore();
    }
    painter.setPen(kDark);
    painter.setFont(m_textFont);
    painter.drawText(rect().adjusted(kStripes + 4, 0, -kStripes - 4, 0), Qt::AlignCenter, text());
}
