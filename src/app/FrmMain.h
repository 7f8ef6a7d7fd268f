#pragma once
// The operator's start screen: 1024 x 741, the hub of the console's areas.
// It stays hidden through the login and the search for the controller; the
// link asks for it to be shown and hidden (its show and hide requests), and
// every area hides it while open. Before it shows, StartUp runs the start of
// the link (login, training when asked, settings, search); this window shows
// the login and the connection status dialog when StartUp asks for them.
//
// Training (StartUp decides and enters it): a band marks this window and every
// hub, the hall screen says so in its corner, and the Hall window lets the
// operator act as the delegates.
//
// Pages get the hall screen through a mirror that also feeds the web view's
// model, so browsers see what the hall sees.

#include "app/StartUp.h"
#include "link/FrmLink.h"
#include "link/FrmLogo.h"
#include "ui/BackgroundPicture.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>

struct ConsoleServices;
class FrmHall;
class FrmScr;
class HallScreen;
class MirroredHallScreen;
class WebView;
class HubFrame;
class Link;
class MeetingSessions;
class TrainingHall;
class TimerService;
class PictureButton;
class QLabel;

class FrmMain : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 741;
    // The area buttons, by control number (their object names are these numbers).
    static constexpr int kSettingsButton = 1007;
    static constexpr int kLineCheckButton = 1003;
    static constexpr int kPreparationButton = 1004;
    static constexpr int kMeetingButton = 1005;
    static constexpr int kAfterMeetingButton = 1006;
    static constexpr int kExitButton = 1008;
    static constexpr int kHelpButton = 1307;

    using Start = StartUp::Mode;

    FrmMain(Link& link, ConsoleServices& services, QWidget* parent = nullptr);
    ~FrmMain() override;

    // Login, settings, connection status dialog and the search for the controller (or the simulated hall).
    void startUp(Start start = Start::Controller);

    void setTrainingFolder(const QString& folder) { m_startUp->setTrainingFolder(folder); }
    // StartUp::enterTraining; this window marks the windows and says so, or tells why not.
    bool enterTraining() { return m_startUp->enterTraining(); }
    bool isTraining() const { return m_startUp->isTraining(); }
    TrainingHall* trainingHall() const { return m_startUp->trainingHall(); }
    FrmHall* hallWindow() const { return m_hallWindow; }

    // Centres on the screen and shows; warns first on a screen narrower than the window.
    // The first-steps line shows until a meeting has been held.
    void showCentred();
    // Top-left corner of the centred window on a screen of this size.
    static QPoint centredPosition(const QSize& screen);

    // A second start of the program asks the running copy to come forward.
    void bringToFront();

    // Exit (1008): asks, and ends the program on Yes.
    void exitProgram();
    // Line check (1003): opens the line check window.
    void openLineCheck();
    // Meeting preparation (1004): the modal preparation hub.
    void openPreparation();
    // Hold meeting (1005): the meeting chooser, then the modal meeting hub.
    void openMeeting();
    // System settings (1007): the modal settings hub.
    void openSettings();
    // After meeting (1006): the modal post-meeting hub.
    void openAfterMeeting();
    // Help (1307).
    void openHelp();
    // Reads every caption again, from the language table now in use.
    void applyTexts();

    PictureButton* button(int control) const { return m_buttons.value(control); }
    FrmLogo* statusDialog() const { return m_logo; }
    FrmLink* lineCheck() const { return m_lineCheck; }
    FrmScr* secondaryScreen() const { return m_secondaryScreen; }
    // What pages are handed: the hall screen and, through it, the web view.
    HallScreen& hallScreen() const;
    WebView& webView() const { return *m_webView; }

    // Test hooks: the login (the real one is a modal dialog), the screen size
    // used for centring.
    void setLoginRunner(std::function<void()> runner) { m_runLogin = std::move(runner); }
    void setScreenSize(std::function<QSize()> source) { m_screenSize = std::move(source); }
    // Runs a modal area window and returns its result (exec() in the program).
    void setAreaRunner(std::function<int(QDialog&)> runner) { m_runArea = std::move(runner); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PictureButton* addButton(int control, const QString& glyph, const QString& labelKey, const QRect& tile,
                             int labelNumber);
    void createSecondaryScreen();
    void showStatusDialog();
    void showTraining();
    void connectLink();
    void requestHide();
    void requestShow();
    // In training a hub gets the band and leaves the Hall window usable (window-modal, not
    // application-modal).
    void markArea(HubFrame& hub);
    void makeHallWindow();

    Link& m_link;
    ConsoleServices& m_services;
    TimerService& m_timers;
    BackgroundPicture m_picture;
    QHash<int, PictureButton*> m_buttons;
    QHash<int, QLabel*> m_labels;
    QLabel* m_heading = nullptr;
    QLabel* m_firstSteps = nullptr;
    QString m_msgClew;
    QString m_msgExit;
    QString m_msgSceSizeErr;
    FrmLogo* m_logo = nullptr;
    QPointer<FrmLink> m_lineCheck;
    FrmScr* m_secondaryScreen = nullptr;
    std::unique_ptr<WebView> m_webView;
    std::unique_ptr<MirroredHallScreen> m_hallScreen;
    QPointer<QDialog> m_login;
    std::function<void()> m_runLogin;
    std::function<QSize()> m_screenSize;
    std::function<int(QDialog&)> m_runArea;
    std::unique_ptr<StartUp> m_startUp;
    FrmHall* m_hallWindow = nullptr;
    // Each meeting held in this run keeps its sign-in and vote across visits to its hub.
    std::unique_ptr<MeetingSessions> m_meetings;
};
