#pragma once
// "Playback window": the live picture after the codec round trip in a
// 320 x 240 area, and the menu that saves the current frame. It only shows
// and forwards; PlaybackSession does the work.

#include "framepane/PlaybackSession.h"

#include <QDialog>

class PlaybackWindow : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int framesShown READ framesShown)
public:
    explicit PlaybackWindow(PlaybackSession& session, QWidget* parent = nullptr);
    int framesShown() const { return m_session.framesShown(); }

private:
    PlaybackSession& m_session;
};

// Message boxes and a save dialog over the playback window.
class DialogPrompter : public PanePrompter
{
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    void message(const QString& text) override;
    QString saveFileName(const QString& proposed) override;

private:
    QWidget* m_parent = nullptr;
};
