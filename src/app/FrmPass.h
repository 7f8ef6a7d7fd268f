#pragma once
// The login: before the console does anything else the operator types the
// system password. The stored password is read again on every attempt, so a
// change made meanwhile counts at once. Exit and the close box end the program.
// The decision and the brake on guessing are LoginGate's; when the system
// database cannot be read the dialog offers its latest automatic backup or,
// after a typed confirmation, a fresh system database.

#include "app/LoginGate.h"
#include "core/LanguageTable.h"
#include "ui/BackgroundPicture.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class PictureButton;

class FrmPass : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxPasswordLength = 50;
    static constexpr const char* kPasswordEdit = "1002";
    static constexpr const char* kLoginButton = "1000";
    static constexpr const char* kExitButton = "1001";

    static constexpr const char* kWaitLine = "MsgWait";
    static constexpr const char* kLanguageNote = "LanguageNote";

    explicit FrmPass(TimerService& timers, QWidget* parent = nullptr);

    // Log in (button 1000): closes on the stored password, otherwise tells and clears the field.
    void logIn();
    // Exit (button 1001): ends the program.
    void exitProgram();

    // Never closes the dialog: only the two buttons act.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showWait(int secondsLeft);
    // The system database cannot be read: restore its backup or start afresh.
    void offerRepair();

    Texts m_texts;
    LoginGate m_gate;
    BackgroundPicture m_picture;
    QLabel* m_wait = nullptr;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_password = nullptr;
    PictureButton* m_ok = nullptr;
    PictureButton* m_exit = nullptr;
    bool m_loggedIn = false;
};
