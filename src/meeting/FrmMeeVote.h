#pragma once
// The voting page of the meeting hub. The operator picks a motion, adjusts its
// settings and starts and ends the vote; the vote procedure (VoteSession of
// the meeting's session, which outlives the page) does the rest and this page only shows what its signals
// say. What the hall screen shows at each stage comes from VoteScreenPresenter; the page pushes each
// panel once to the hall screen and to the preview beside the settings.
//
// While a motion vote or an evaluation runs, one line on the console (never
// in the hall) says how far the motion is from passing (PassReadout).
//
// The result display and the key monitor are other windows: the query and
// monitor buttons call the two openers the hub sets, so the page needs neither.

#include "meeting/PassReadout.h"
#include "meeting/VoteScreenPresenter.h"
#include "meeting/VoteSession.h"
#include "prep/MeetingTable.h"
#include "prep/MotionListModel.h"
#include "ui/PageTexts.h"

#include <QWidget>
#include <functional>
#include <memory>

class HallScreen;
class MeetingSession;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTableView;
class ScreenPanel;

class FrmMeeVote : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kMotionList = "1093";
    static constexpr const char* kStartButton = "1102";
    static constexpr const char* kEndButton = "1103";
    static constexpr const char* kQueryButton = "IDC_QUERY_REAULT";
    static constexpr const char* kCandidatesButton = "IDC_SHOWSELE_BUTTON";
    static constexpr const char* kMonitorButton = "1601";
    static constexpr const char* kShowPassButton = "1444";
    static constexpr const char* kSettingsFrame = "1291";
    static constexpr const char* kUnitCheck = "IDC_CHECK_UNITE";
    static constexpr const char* kPercentCheck = "IDC_CHECK_VIEWPRE";
    static constexpr const char* kPassCheck = "IDC_CHECK_VIEWPASS";
    static constexpr const char* kLiveCheck = "1460";
    static constexpr const char* kTimeLimitCheck = "IDC_VOTETIMEL_CHECK";
    static constexpr const char* kSecondsCombo = "1101";
    static constexpr const char* kBaseCombo = "1509";
    static constexpr const char* kRuleCombo = "1510";
    static constexpr const char* kThresholdSlider = "1210";
    static constexpr const char* kThresholdEcho = "1211";
    static constexpr const char* kDue = "1499";
    static constexpr const char* kPresent = "1500";
    static constexpr const char* kPreview = "preview";
    static constexpr const char* kReadout = "passReadout";

    // Opens the result display for the selected motion (its stored row and kind).
    using ResultOpener = std::function<void(const Motion& motion, int kind)>;
    // Opens the key monitor modally for the running vote's kind; the vote goes on behind it.
    using MonitorOpener = std::function<void(int kind)>;

    FrmMeeVote(MeetingSession& meeting, HallScreen& screen, QWidget* parent = nullptr);
    ~FrmMeeVote() override;

    // The meeting whose motions are voted: its figures and its motion list.
    void openMeeting(const Meeting& meeting);
    // DueNum and SignIn of the meeting again (the hub calls it when the page is shown).
    void reloadFigures();
    // The motion list again, the same motion kept selected (after the preparation hub).
    void reloadMotions();

    bool isRunning() const;
    VoteSession& session() { return m_session; }
    ScreenPanel* preview() const { return m_preview; }

    void setResultOpener(ResultOpener opener) { m_openResult = std::move(opener); }
    void setMonitorOpener(MonitorOpener opener) { m_openMonitor = std::move(opener); }
    // Test hook: how the candidate dialog runs (exec() in the program).
    void setDialogRunner(std::function<int(QDialog&)> runner) { m_runDialog = std::move(runner); }

    // Row 0.. of the list, or -1; the working settings and kind of the selection.
    void selectMotion(int row);
    int selectedRow() const { return m_row; }
    const Motion& workingMotion() const { return m_working; }
    MotionListModel& motions() { return *m_model; }
    int selectedKind() const { return m_kind; }

private:
    // The motions were read again: the same motion stays selected.
    void motionsChanged();
    void loadSelection(int row);
    void showSettings();
    void updateControls();
    void start();
    void chooseCandidates();
    void openResult();
    void showPassText();
    void clearPreview();
    // True when the motion was not voted yet, or the operator agrees to vote it again.
    bool confirmVoteAgain();

    void stateChanged(VoteSession::State state);
    void showResult(const VoteCount::Outcome& outcome, bool final);
    void showCountdown(const QString& text);
    void showReadout();

    // The running vote's stage on the hall screen and the preview alike.
    void present(VoteScreenPresenter::Stage stage, const VoteScreenPresenter::Outcome& outcome = {});
    VoteScreenPresenter::Vote shownVote() const;
    PanelColours colours() const;
    // `bringPanel`: the hall screen's window and its panel come forward first.
    void pushPanel(const ScreenPanelState& state, bool bringPanel);

    HallScreen& m_screen;
    PageTexts m_texts;
    VoteTexts m_voteTexts;
    VoteScreenPresenter m_presenter;
    std::optional<ScreenPanelState> m_shown; // the panel last pushed by this page
    PassReadout::Phrases m_phrases;
    VoteSession& m_session;

    Meeting m_meeting;
    MotionListModel* m_model;
    std::optional<Motion> m_kept; // the selection while the list is read again
    bool m_reloading = false;
    int m_row = -1;
    int m_kind = -1;
    Motion m_working;
    bool m_loading = false;   // controls being set from a motion, not by the operator
    bool m_passReady = false; // the selected motion has just been voted here

    QTableView* m_list;
    QGroupBox* m_settings;
    QComboBox* m_base;
    QComboBox* m_rule;
    QSlider* m_threshold;
    QLabel* m_thresholdEcho;
    QCheckBox* m_unit;
    QCheckBox* m_percent;
    QCheckBox* m_pass;
    QCheckBox* m_live;
    QCheckBox* m_timeLimit;
    QLabel* m_secondsLabel;
    QComboBox* m_seconds;
    QLabel* m_due;
    QLabel* m_present;
    QPushButton* m_start;
    QPushButton* m_end;
    QPushButton* m_query;
    QPushButton* m_candidatesButton;
    QPushButton* m_monitor;
    QPushButton* m_showPass;
    ScreenPanel* m_preview;
    QLabel* m_readout;

    ResultOpener m_openResult;
    MonitorOpener m_openMonitor;
    std::function<int(QDialog&)> m_runDialog;
};
