#pragma once
// What the playback window does, without the window: opens the codec steps
// and the frame source, passes every frame through the round trip, keeps the
// picture to show and saves it as a bitmap file. Every failure is told
// through the prompter; a failed step skips only what depends on it.

#include "framepane/CodecRoundTrip.h"
#include "framepane/DisplayWords.h"
#include "framepane/FrameSource.h"
#include "framepane/PanePrompter.h"

#include <QObject>
#include <QTime>

#include <memory>

class PlaybackSession : public QObject
{
    Q_OBJECT
public:
    PlaybackSession(const DisplayWords& words, PanePrompter& prompter, QObject* parent = nullptr);
    // A source of the tests' own instead of the one word 1 names.
    PlaybackSession(const DisplayWords& words, PanePrompter& prompter, std::unique_ptr<FrameSource> source,
                    QObject* parent = nullptr);
    ~PlaybackSession() override;

    // Checks the words, opens the codec and starts the source, telling every failure.
    void start();
    // The last picture after the round trip, in the capture format; null before the first.
    const QImage& picture() const { return m_picture; }
    // The picture stretched into the window's area.
    const QImage& panePicture() const { return m_panePicture; }
    int framesShown() const { return m_framesShown; }
    bool roundTrips() const { return m_codec.roundTrips(); }
    // Asks for a file (proposing the time's name) and writes the picture there.
    void saveAs(const QTime& now);

signals:
    void pictureChanged();

private:
    void showFrame(const QImage& frame);

    DisplayWords m_words;
    PlaybackSettings m_settings;
    PanePrompter& m_prompter;
    std::unique_ptr<FrameSource> m_source;
    CodecRoundTrip m_codec;
    QImage m_picture;
    QImage m_panePicture;
    int m_framesShown = 0;
};
