#pragma once
// The line check window: shows a LineCheckProcedure (the grid of units, the
// counts, the progress, what the check is doing) and forwards Start and Exit to it. A modeless window of
// its own; the main window hides while it is open and comes back when it is left.

#include "link/LineCheckProcedure.h"
#include "ui/BackgroundPicture.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QTableWidget;
class PictureButton;
class Link;
class TimerService;

class FrmLink : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kRows = 30;
    static constexpr int kPairs = 9;
    // Object names of the controls.
    static constexpr char kGrid[] = "1009";
    static constexpr char kTotalCount[] = "1133";
    static constexpr char kOnlineCount[] = "1134";
    static constexpr char kOfflineCount[] = "1135";
    static constexpr char kStartButton[] = "1136";
    static constexpr char kProgressBar[] = "1137";
    static constexpr char kExitButton[] = "1138";
    static constexpr char kStatus[] = "CheckStatus";
    static QString offlineText() { return QStringLiteral("-----"); }

    FrmLink(Link& link, TimerService& timers, QWidget* parent = nullptr);
    ~FrmLink() override;

    // Where unit n (1-based) stands in the grid: row, and the column of its number.
    static int rowOf(int unit) { return (unit - 1) % kRows; }
    static int numberColumnOf(int unit) { return 1 + 2 * ((unit - 1) / kRows); }

    // Start: one line check.
    void startCheck();
    // Exit and the close box.
    void leave();
    // Training: the band across the top; the heading moves under it.
    void setTrainingBand(const QString& text);

    bool isChecking() const { return m_check.isRunning(); }
    const LineCheckProcedure& procedure() const { return m_check; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fillGrid();
    void refreshStates();

    Link& m_link;
    LineCheckProcedure m_check;
    BackgroundPicture m_picture;
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_total = nullptr;
    QLineEdit* m_online = nullptr;
    QLineEdit* m_offline = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_status = nullptr;
    PictureButton* m_start = nullptr;
    PictureButton* m_exit = nullptr;
    QString m_onlineText;
    QString m_waitingText;
    QString m_finishedText;
    bool m_left = false;
};
