#pragma once
// A frame source the test drives by hand.

#include "framepane/FrameSource.h"

class ScriptedSource : public FrameSource
{
public:
    bool start(QSize size) override
    {
        started = size;
        return true;
    }
    void send(const QImage& frame) { emit frameArrived(frame); }
    void breakDown(const QString& text) { emit failed(text); }

    QSize started;
};
