#include "framepane/FrameFormat.h"

QImage::Format imageFormatFor(int bitCount)
{
    switch (bitCount) {
    case 16:
        return QImage::Format_RGB555;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_BGR888;
    }
}

int bitCountOf(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB555:
        return 16;
    case QImage::Format_RGB32:
        return 32;
    default:
        return 24;
    }
}

QImage toCaptureFormat(const QImage& image, QSize size, int bitCount)
{
    const QImage sized =
        image.size() == size ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return sized.convertToFormat(imageFormatFor(bitCount));
}

QImage paneImage(const QImage& frame)
{
    if (frame.isNull() || frame.size() == kPaneSize)
        return frame;
    return frame.scaled(kPaneSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

int nearestSize(const QList<QSize>& offered, QSize wanted)
{
    int best = -1;
    int bestDistance = 0;
    for (int index = 0; index < offered.size(); ++index) {
        const int distance = std::abs(offered[index].width() - wanted.width()) +
                             std::abs(offered[index].height() - wanted.height());
        if (best < 0 || distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}
