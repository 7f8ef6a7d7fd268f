#include "framepane/TestPictureSource.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace {
constexpr int kFrameMilliseconds = 33;
constexpr int kFramesPerTurn = 120;
} // namespace

TestPictureSource::TestPictureSource(QObject* parent) : FrameSource(parent)
{
    m_timer.setInterval(kFrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] { emit frameArrived(picture(m_size, m_number++)); });
}

bool TestPictureSource::start(QSize size)
{
    m_size = size;
    m_timer.start();
    return true;
}

QImage TestPictureSource::picture(QSize size, int number)
{
    static constexpr std::array<QRgb, 7> bars{0xC0C0C0, 0xC0C000, 0x00C0C0, 0x00C000,
                                              0xC000C0, 0xC00000, 0x0000C0};
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width();
    const int h = size.height();
    const int barsHeight = h * 2 / 3;
    for (int bar = 0; bar < int(bars.size()); ++bar)
        painter.fillRect(QRect(bar * w / 7, 0, (bar + 1) * w / 7 - bar * w / 7, barsHeight),
                         QColor(bars[bar]));
    QLinearGradient ramp(0, 0, w, 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    painter.fillRect(QRect(0, barsHeight, w, h - barsHeight), ramp);

    painter.setRenderHint(QPainter::Antialiasing);
    const double angle = 2 * M_PI * (number % kFramesPerTurn) / kFramesPerTurn;
    const double radius = h / 8.0;
    const QPointF centre(w / 2.0 + (w / 2.0 - radius) * std::cos(angle), h / 3.0 + h / 5.0 * std::sin(angle));
    painter.setPen(QPen(Qt::black, std::max(1.0, radius / 8)));
    painter.setBrush(QColor(255, 128, 0));
    painter.drawEllipse(centre, radius, radius);

    QFont font = painter.font();
    font.setPixelSize(std::max(8, h / 12));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, barsHeight, w, h - barsHeight), Qt::AlignCenter, QString::number(number));
    return image;
}
