#pragma once
// Records the playback window's messages and answers its save dialog with a
// path the test chose (empty: cancelled).

#include "framepane/PanePrompter.h"

#include <QStringList>

class RecordingPrompter : public PanePrompter
{
public:
    void message(const QString& text) override { messages << text; }
    QString saveFileName(const QString& proposed) override
    {
        proposals << proposed;
        return answer;
    }

    QStringList messages;
    QStringList proposals;
    QString answer;
};
