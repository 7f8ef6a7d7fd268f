#pragma once
// The sign-in page of the meeting hub. It shows what the sign-in procedure
// (SignInSession) says and forwards the operator's buttons to it; it runs no
// protocol timers of its own. It pushes the procedure's prompts and figures
// (as SignInScreenPresenter builds them) and the delegates' name pages onto the
// hall screen.
//
// The attendance grid keeps the designed order (unit n in row (n - 1) mod 19,
// column group (n - 1) div 19) but has as many column groups as the units
// need, with a horizontal scroll bar, so every unit up to unitCount is seen.
// The delegates' names come from the procedure, read once per meeting.

#include "meeting/SignInCount.h"
#include "meeting/SignInScreenPresenter.h"
#include "meeting/SignInSession.h"
#include "ui/PageTexts.h"

#include <QWidget>

class HallScreen;
class Link;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class FrmManChe : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kGrid = "1081";
    static constexpr const char* kStartButton = "IDC_SIGNIN_START";
    static constexpr const char* kEndButton = "IDC_SIGNIN_END";
    static constexpr const char* kFillButton = "IDC_SIGNIN_FILL";
    static constexpr const char* kUnitLabel = "IDC_STATIC_DUENUM11";
    static constexpr const char* kUnitEdit = "1088";
    static constexpr const char* kUnitButton = "IDC_DUENUM_OK";
    static constexpr const char* kCountdownGroup = "1442";
    static constexpr const char* kCountdownCheck = "IDC_VIEWLEG_CHECK";
    static constexpr const char* kCountdownEdit = "1089";
    static constexpr const char* kCountdownDisplay = "1594";
    static constexpr const char* kDue = "1153";
    static constexpr const char* kAbsent = "1154";
    static constexpr const char* kPresent = "1155";
    static constexpr const char* kQuorum = "quorum";
    static constexpr const char* kProgress = "1157";
    static constexpr const char* kSignedInNames = "1605";
    static constexpr const char* kSignedInUp = "1606";
    static constexpr const char* kSignedInDown = "1607";
    static constexpr const char* kAbsentNames = "1608";
    static constexpr const char* kAbsentUp = "1609";
    static constexpr const char* kAbsentDown = "1610";

    // Columns of one unit in the grid: number, name, mark.
    static constexpr int kGroupColumns = 3;

    FrmManChe(SignInSession& session, const Link& link, HallScreen& screen, QWidget* parent = nullptr);

    // The grid laid out for the link's unitCount with the names the procedure
    // read, and the procedure's figures: those of the last sign-in when the hub
    // is opened again.
    void openMeeting();

    // Every unit's mark from the unit table (the procedure reports changes one by one).
    void refreshGrid();
    // The grid cell of unit n's column `part` (0 number, 1 name, 2 mark).
    QString gridText(int unit, int part) const;

    // Name pages on the hall screen.
    void showNames(SignInCount::NameList which);
    void nextNamePage();
    void previousNamePage();
    int namePage() const { return m_namePage; }

private:
    void buildGrid();
    void start(bool supplementary);
    void signInUnit();
    void updateControls();
    void showFigures(const SignInCount::Figures& figures, const QString& quorumText);
    void showUnit(int unit, bool signedIn);
    void pushPanel(const ScreenPanelState& state);
    PanelColours colours() const;
    void paintNamePage();
    void bringScreen();

    SignInSession& m_session;
    const Link& m_link;
    HallScreen& m_screen;
    PageTexts m_texts;
    SignInScreenPresenter m_presenter;
    QString m_signedInMark;
    QString m_absentMark;

    QTableWidget* m_grid;
    QPushButton* m_start;
    QPushButton* m_end;
    QPushButton* m_fill;
    QLineEdit* m_unitEdit;
    QPushButton* m_unitButton;
    QGroupBox* m_countdownGroup;
    QCheckBox* m_countdownCheck;
    QLineEdit* m_countdownEdit;
    QLabel* m_countdownDisplay;
    QLabel* m_due;
    QLabel* m_present;
    QLabel* m_absent;
    QLabel* m_quorum;
    QProgressBar* m_progress;
    QPushButton* m_namesButtons[2];
    QPushButton* m_upButtons[2];
    QPushButton* m_downButtons[2];

    int m_gridUnits = 0;
    std::optional<SignInCount::NameList> m_names;
    int m_namePage = 0;
};
