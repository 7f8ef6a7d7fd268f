#pragma once
// The connection status dialog, shown while the main window is still hidden
// and the link searches for the controller. Every 100 ms it watches the link:
// connected -> stop; search failed -> the no-controller dialog, whose answer
// decides between running without the controller and offering a new search.

#include "ui/BackgroundPicture.h"
#include "link/FrmError.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class PictureButton;
class Link;
class Timer;
class TimerService;

class FrmLogo : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 100;

    // logoPicture: the `logobmp` file under System/photo/ (none: no picture).
    FrmLogo(Link& link, TimerService& timers, const QString& logoPicture, QWidget* parent = nullptr);
    ~FrmLogo() override;

    // Runs the no-controller dialog; tests answer it without a modal loop.
    using ErrorDialogRunner = std::function<FrmError::Outcome(QWidget* parent)>;
    void setErrorDialogRunner(ErrorDialogRunner runner) { m_runError = std::move(runner); }

    int progress() const;
    bool isWatching() const;

    // Refresh (1236): a new search from port 1.
    void refresh();
    // Button 2 and Escape: end the program.
    void endProgram();

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void tick();

    Link& m_link;
    std::unique_ptr<Timer> m_timer; // timer 1
    ErrorDialogRunner m_runError;
    BackgroundPicture m_logo;
    QLabel* m_label = nullptr;
    QProgressBar* m_progress = nullptr;
    PictureButton* m_cancel = nullptr;
    PictureButton* m_hiddenOk = nullptr;
    PictureButton* m_refresh = nullptr;
    QString m_clew;
    QString m_msgClew;
};
