#include "framepane/FrameSource.h"

#include <utility>

bool LatestFrame::put(const QImage& frame)
{
    const QMutexLocker lock(&m_mutex);
    m_frame = frame;
    // A waiting frame is replaced; the reader was told about it already.
    return !std::exchange(m_waiting, true);
}

QImage LatestFrame::take()
{
    const QMutexLocker lock(&m_mutex);
    m_waiting = false;
    return std::exchange(m_frame, QImage());
}
