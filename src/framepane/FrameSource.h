#pragma once
// Where the window's frames come from: a camera or the built-in test picture
// (and, in tests, a scripted source). Frames arrive on the window's thread.

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSize>

class FrameSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts frames of about this size; false (after failed()) when there is no source.
    virtual bool start(QSize size) = 0;

signals:
    void frameArrived(const QImage& frame);
    // The source broke (at the start or later); no more frames will come.
    void failed(const QString& text);
};

// Hands frames from a capture thread to the window's thread. Only the newest
// frame waits: one that arrives before the last was taken replaces it, so a
// slow window drops frames instead of queueing them without limit.
class LatestFrame
{
public:
    // True when nothing was waiting, so the reader must be told.
    bool put(const QImage& frame);
    QImage take();

private:
    QMutex m_mutex;
    QImage m_frame;
    bool m_waiting = false;
};
