#pragma once
// What the connection status dialog shows while the link looks for the
// controller at start-up, without the dialog: a state, a progress that only
// shows activity, and signals when the link is up or the search gave up.
// It follows LineCheckProcedure's pattern: the link's signals drive it, and it
// leaves the designed flags (linkConnected, searchFailed) to the link.

#include <QObject>
#include <memory>

class Link;
class Timer;
class TimerService;

class ConnectionWatch : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Searching,         // ports are tried in turn
        Polling,           // the controller answered; the start-up poll runs
        Connected,         // the start-up poll has finished
        Failed,            // every port was tried without an answer
        WithoutController, // the operator chose to go on without it
    };
    Q_ENUM(State)

    // Starts watching at once: the link's search is about to begin.
    ConnectionWatch(Link& link, TimerService& timers, QObject* parent = nullptr);
    ~ConnectionWatch() override;

    State state() const { return m_state; }
    bool isWatching() const;
    int progress() const { return m_progress; }

    // A new search from port 1 (after a failed one).
    void searchAgain();
    // The operator goes on without the controller: the main window comes.
    void continueWithoutController();

signals:
    void stateChanged(ConnectionWatch::State state);
    void progressChanged(int percent);
    void connected();
    // Reported from the watch's own timer, never inside the sequencer's step,
    // because the page answers it with a modal dialog.
    void searchFailed();

private:
    void setState(State state);
    void setProgress(int percent);
    void stopAt(State state);

    Link& m_link;
    State m_state = State::Searching;
    int m_progress = 0;
    std::unique_ptr<Timer> m_ticker;
    std::unique_ptr<Timer> m_failure;
};
