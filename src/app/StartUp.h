#pragma once
// The console's start, without windows: the login, training when asked, then
// the search for the controller with the settings row as it is after the login
// (a value changed during it counts), at the stored pace, with the web view
// switched on when the settings say so. The main window shows each step: it
// runs the login and the status dialog on `loginWanted` and `searchStarting`.
//
// Training rehearses on a hall simulated inside the console (TrainingHall)
// instead of a controller, from the start or when the search failed and the
// operator chose it. Meeting data then goes to a fresh copy of the program
// folder; the main window marks itself and the hall screen on `trainingEntered`.

#include <QObject>
#include <memory>

class Link;
class TimerService;
class TrainingHall;
class WebView;

class StartUp : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        Controller, // search the serial ports for the controller
        Training,   // rehearse with the simulated hall from the start
    };

    StartUp(Link& link, TimerService& timers, WebView& webView);
    ~StartUp() override;

    void run(Mode mode);

    // Where a rehearsal keeps its copy of the program folder (the user's data folder + training/).
    void setTrainingFolder(const QString& folder) { m_trainingFolder = folder; }
    QString trainingFolder() const { return m_trainingFolder; }
    // Seeds the training folder from the program folder and works in it from now on, and hands the
    // link the simulated hall with the configured counts. False (after `trainingRefused`) when the
    // folder cannot be made: nothing has changed then. True at once when already training.
    bool enterTraining();
    bool isTraining() const { return m_trainingHall != nullptr; }
    TrainingHall* trainingHall() const { return m_trainingHall.get(); }

    // A meeting was held once its sign-in stored the present number; until then the order of the work is
    // shown.
    static bool meetingHeld();

signals:
    // The start goes on when the slot returns.
    void loginWanted();
    void searchStarting();
    void trainingEntered();
    void trainingRefused(const QString& why);

private:
    Link& m_link;
    TimerService& m_timers;
    WebView& m_webView;
    QString m_trainingFolder;
    std::unique_ptr<TrainingHall> m_trainingHall;
};
