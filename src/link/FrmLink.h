#pragma once
// The line check: polls every configured unit once and shows which answer.
// A modeless window of its own; the main window hides while it is open. While
// a check runs the sequencer steps at the slow pace, so the window restores
// the normal pace and brings the main window back when it is left.

#include "ui/BackgroundPicture.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QTableWidget;
class PictureButton;
class Link;
class Timer;
class TimerService;

class FrmLink : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kRows = 30;
    static constexpr int kPairs = 9;
    static constexpr int kTimer1Ms = 500;  // ControlBegin -> line cycle
    static constexpr int kTimer2Ms = 500;  // progress and refresh
    static constexpr int kTimer3Ms = 1000; // cycle done -> ControlEnd
    static QString offlineText() { return QStringLiteral("-----"); }

    FrmLink(Link& link, TimerService& timers, QWidget* parent = nullptr);
    ~FrmLink() override;

    // Where unit n (1-based) stands in the grid: row, and the column of its number.
    static int rowOf(int unit) { return (unit - 1) % kRows; }
    static int numberColumnOf(int unit) { return 1 + 2 * ((unit - 1) / kRows); }

    // Start (1136): one line check.
    void startCheck();
    // Exit (1138) and the close box.
    void leave();

    bool isChecking() const;

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void timer1();
    void timer2();
    void timer3();
    void fillGrid();
    void refreshStates();
    void centre();

    Link& m_link;
    std::unique_ptr<Timer> m_timer1;
    std::unique_ptr<Timer> m_timer2;
    std::unique_ptr<Timer> m_timer3;
    BackgroundPicture m_picture;
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_total = nullptr;
    QLineEdit* m_online = nullptr;
    QLineEdit* m_offline = nullptr;
    QProgressBar* m_progress = nullptr;
    PictureButton* m_start = nullptr;
    PictureButton* m_exit = nullptr;
    QString m_onlineText;
    int m_unitCount = 0;
    bool m_left = false;
};
