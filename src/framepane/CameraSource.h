#pragma once
// Frames from a camera through Qt Multimedia. The capture session delivers
// frames on its own thread; they are converted there and handed over through
// LatestFrame, so the window only ever sees the newest one.

#include "framepane/FrameSource.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoSink>

class CameraSource : public FrameSource
{
    Q_OBJECT
public:
    // 0 the default camera, n the n-th one.
    explicit CameraSource(uint32_t number, QObject* parent = nullptr);
    bool start(QSize size) override;

private:
    void takeFrame(const QVideoFrame& frame);
    void checkStillThere();

    uint32_t m_number;
    QCameraDevice m_device;
    QCamera m_camera;
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    QMediaDevices m_devices;
    LatestFrame m_latest;
};
