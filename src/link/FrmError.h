#pragma once
// The no-controller dialog: no port answered the search. The operator may
// continue without the controller (1590), close it with OK (1) and try the
// search again from the connection status dialog, or rehearse with a hall
// simulated inside the console (training).

#include <QDialog>

class PictureButton;

class FrmError : public QDialog
{
    Q_OBJECT
public:
    // Object names of the buttons.
    static constexpr char kOkButton[] = "1";
    static constexpr char kContinueButton[] = "1590";
    static constexpr char kTrainingButton[] = "IDC_ERROR_TRAIN";

    enum class Outcome
    {
        Closed,   // closed some other way: nothing changes
        Ok,       // button 1
        Continue, // button 1590: run without the controller
        Training, // rehearse with the simulated hall
    };

    explicit FrmError(QWidget* parent = nullptr);

    Outcome outcome() const { return m_outcome; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void finish(Outcome outcome);

    Outcome m_outcome = Outcome::Closed;
    QPixmap m_picture;
};
