#include "framepane/FrameSource.h"

bool LatestFrame::put(const QImage& frame)
{
    const QMutexLocker lock(&m_mutex);
    m_frame = frame;
    if (m_waiting) {
        ++m_dropped;
        return false;
    }
    m_waiting = true;
    return true;
}

QImage LatestFrame::take()
{
    const QMutexLocker lock(&m_mutex);
    m_waiting = false;
    return std::exchange(m_frame, QImage());
}

int LatestFrame::dropped() const
{
    const QMutexLocker lock(&m_mutex);
    return m_dropped;
}
