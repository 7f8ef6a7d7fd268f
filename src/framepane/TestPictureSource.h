#pragma once
// The built-in moving test picture: colour bars, a circle that travels across
// the frame and the frame number, 30 frames a second. Shows the codec round
// trip without a camera, for demonstrations and tests.

#include "framepane/FrameSource.h"

#include <QTimer>

class TestPictureSource : public FrameSource
{
    Q_OBJECT
public:
    explicit TestPictureSource(QObject* parent = nullptr);
    bool start(QSize size) override;
    // Frame number n of this size.
    static QImage picture(QSize size, int number);

private:
    QTimer m_timer;
    QSize m_size;
    int m_number = 0;
};
