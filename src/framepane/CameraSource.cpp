#include "framepane/CameraSource.h"

#include "framepane/FrameFormat.h"

namespace {
const QString kConnectError = QStringLiteral("Driver Connect Failure");
const QString kFormatError = QStringLiteral("Fail to set the video format");
} // namespace

CameraSource::CameraSource(uint32_t number, QObject* parent) : FrameSource(parent), m_number(number) {}

bool CameraSource::start(QSize size)
{
    const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
    m_device = m_number == 0
                   ? QMediaDevices::defaultVideoInput()
                   : (m_number <= uint32_t(inputs.size()) ? inputs[int(m_number - 1)] : QCameraDevice());
    if (m_device.isNull()) {
        emit failed(kConnectError);
        return false;
    }
    const QList<QCameraFormat> formats = m_device.videoFormats();
    QList<QSize> sizes;
    for (const QCameraFormat& format : formats)
        sizes << format.resolution();
    const int nearest = nearestSize(sizes, size);
    if (nearest < 0) {
        emit failed(kFormatError);
        return false;
    }
    m_camera.setCameraDevice(m_device);
    m_camera.setCameraFormat(formats[nearest]);
    m_session.setCamera(&m_camera);
    m_session.setVideoSink(&m_sink);
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, &CameraSource::takeFrame, Qt::DirectConnection);
    connect(&m_camera, &QCamera::errorOccurred, this, [this](QCamera::Error error, const QString& text) {
        if (error != QCamera::NoError)
            emit failed(text.isEmpty() ? kConnectError : text);
    });
    connect(&m_devices, &QMediaDevices::videoInputsChanged, this, &CameraSource::checkStillThere);
    m_camera.start();
    return true;
}

void CameraSource::takeFrame(const QVideoFrame& frame)
{
    // Runs on the capture thread; the conversion stays off the window's thread.
    if (m_latest.put(frame.toImage()))
        QMetaObject::invokeMethod(
            this, [this] { emit frameArrived(m_latest.take()); }, Qt::QueuedConnection);
}

void CameraSource::checkStillThere()
{
    if (!QMediaDevices::videoInputs().contains(m_device)) {
        disconnect(&m_devices, nullptr, this, nullptr);
        m_camera.stop();
        emit failed(QStringLiteral("The camera \"%1\" is gone.").arg(m_device.description()));
    }
}
