#pragma once
// The connection status dialog, shown while the main window is still hidden
// and the link searches for the controller. It shows a ConnectionWatch; when
// the search fails it runs the no-controller dialog, whose answer decides
// between running without the controller, offering a new search and training:
// it then asks for the simulated hall (trainingChosen, answered at once by the
// main window, which hands the link the hall) and searches again.

#include "link/ConnectionWatch.h"
#include "link/FrmError.h"
#include "ui/BackgroundPicture.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class PictureButton;
class Link;
class TimerService;

class FrmLogo : public QDialog
{
    Q_OBJECT
public:
    // Object names of the controls.
    static constexpr char kProgressBar[] = "1132";
    static constexpr char kRefreshButton[] = "1236";
    static constexpr char kCancelButton[] = "2";
    static constexpr char kHiddenOkButton[] = "1";

    // logoPicture: the `logobmp` file under System/photo/ (none: no picture).
    FrmLogo(Link& link, TimerService& timers, const QString& logoPicture, QWidget* parent = nullptr);
    ~FrmLogo() override;

    // Runs the no-controller dialog; tests answer it without a modal loop.
    using ErrorDialogRunner = std::function<FrmError::Outcome(QWidget* parent)>;
    void setErrorDialogRunner(ErrorDialogRunner runner) { m_runError = std::move(runner); }

    const ConnectionWatch& watch() const { return m_watch; }
    bool isWatching() const { return m_watch.isWatching(); }

    // Refresh: a new search from port 1.
    void refresh();
    // Cancel and Escape: end the program.
    void endProgram();

    void reject() override;

signals:
    // The operator chose to rehearse; the link must have the simulated hall when this returns.
    void trainingChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void askAfterFailedSearch();

    ConnectionWatch m_watch;
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
