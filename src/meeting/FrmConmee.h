#pragma once
// The meeting hub: the pages of a meeting in progress in the shared hub frame.
// It first asks which meeting to hold (FrmMeestart); only then are the pages
// made, once, and kept with their state while hidden. A cancelled chooser
// leaves the hub without pages, and its opener closes it at once, so the main
// window returns.
//
// The meeting's session (its state, sign-in and vote) is not the hub's: it comes
// from MeetingSessions, which outlives the hub, so a sign-in ended before the
// hub was left still counts when it is opened again. The hub refuses every
// button while a sign-in or a vote runs (the busy check). While one runs, a
// store that fails (the round's own writes or any page's) is told in the
// message bar, never in a box: the hall goes on.
//
// Installation types: "0"/"2" have the discussion function (the speaking page
// first, after a short progress window); "1"/"3" hide it and open on sign-in.

#include "core/ConsoleServices.h"
#include "meeting/MeetingSession.h"
#include "prep/MeetingTable.h"
#include "ui/HubFrame.h"
#include "ui/PageTexts.h"

#include <functional>
#include <memory>
#include <optional>

class FrmFile;
class FrmManChe;
class FrmMeeVote;
class FrmMootset;
class HallScreen;
class Link;
class QMenu;
class QProgressBar;
class SignInSession;
class Timer;
class TimerService;

class FrmConmee : public HubFrame
{
    Q_OBJECT
public:
    static constexpr const char* kTitle = "ConmeeTitle";
    static constexpr const char* kHeading = "ConmeeHeading";
    static constexpr const char* kSpeakButton = "IDC_MEECONT_BUTTON";
    static constexpr const char* kSignInButton = "IDC_MANCHE_BUTTON";
    static constexpr const char* kVoteButton = "IDC_MEEVOTE_BUTTON";
    static constexpr const char* kFileButton = "IDC_STASPE_BUTTON";
    static constexpr const char* kInsertButton = "IDC_INSERTVIEW_BUTTON";
    static constexpr const char* kExitButton = "IDC_CONMEE_EXIT";
    static constexpr const char* kMenuButton = "1078";
    static constexpr const char* kPreparationItem = "1401";
    static constexpr const char* kBannerItem = "1402";
    static constexpr const char* kHelpItem = "1403";
    static constexpr const char* kProgressWindow = "178";

    // `installationType` is the `function` value of the appearance row ("0".."3").
    FrmConmee(Link& link, ConsoleServices& services, HallScreen& screen, MeetingSessions& sessions,
              const QString& installationType, QWidget* parent = nullptr);
    ~FrmConmee() override;

    // Runs the chooser (through the services' dialog runner) and opens the chosen meeting; false when
    // it was cancelled.
    bool chooseMeeting();
    // Makes the pages for this meeting and shows the banner on the hall screen.
    void openMeeting(const Meeting& meeting);
    const Meeting& meeting() const { return m_meeting; }

    // The column's buttons, each after the busy check.
    void showSpeaking();
    void showSignIn();
    void showVote();
    void showDocuments();
    void openInsert();
    void openMenu();
    void openPreparation();
    void showBanner();
    void showBannerAgain();
    void openHelp();
    // Leaving (exit, the close box, Escape): the busy check, then the question.
    void reject() override;

    // Shows the refusal and returns true while a sign-in or a vote runs.
    bool refusedWhileBusy();
    bool hasDiscussion() const { return m_discussion; }

    SignInSession* signIn() const { return m_session ? &m_session->signIn() : nullptr; }
    MeetingState& meetingState() { return m_session->state(); }
    FrmManChe* signInPage() const { return m_signInPage; }
    FrmMootset* speakPage() const { return m_speakPage; }
    FrmMeeVote* votePage() const { return m_votePage; }
    FrmFile* documentPage() const { return m_filePage; }
    QMenu* menu() const { return m_menu; }
    QDialog* progressWindow() const { return m_progressWindow; }

    // Test hook: what runs a modal window (exec() in the program).
    void setAreaRunner(std::function<int(QDialog&)> runner) { m_runArea = std::move(runner); }

signals:
    // The preparation hub ended: the voting page reloads its motion list.
    void motionListChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showSpeakPage();
    void showOtherPage(QWidget* page);
    void startProgress();
    void progressStep();
    // The store's failures go to the message bar while a sign-in or a vote runs.
    void routeStoreFailures();
    void showStoreFailure(const QString& words);

    class BarFailures : public StoreFailures
    {
    public:
        explicit BarFailures(FrmConmee& hub) : m_hub(hub) {}
        void failed(const QString& detail) override;

    private:
        FrmConmee& m_hub;
    };

    Link& m_link;
    ConsoleServices& m_services;
    TimerService& m_timers;
    HallScreen& m_screen;
    PageTexts m_pageTexts;
    bool m_discussion;
    MeetingSessions& m_sessions;
    Meeting m_meeting;
    MeetingSession* m_session = nullptr;

    QPushButton* m_speakButton;
    QPushButton* m_signInButton;
    QPushButton* m_voteButton;
    QPushButton* m_fileButton;
    QPushButton* m_insertButton;
    QPushButton* m_menuButton;
    QMenu* m_menu;
    FrmManChe* m_signInPage = nullptr;
    FrmMootset* m_speakPage = nullptr;
    FrmMeeVote* m_votePage = nullptr;
    FrmFile* m_filePage = nullptr;

    QDialog* m_progressWindow = nullptr;
    QProgressBar* m_progressBar = nullptr;
    std::unique_ptr<Timer> m_progressTimer;
    bool m_progressPending = false;

    std::function<int(QDialog&)> m_runArea;
    BarFailures m_barFailures{*this};
    // The channel the bar stands in for while a round runs.
    std::optional<StoreFailures*> m_failuresBefore;
};
