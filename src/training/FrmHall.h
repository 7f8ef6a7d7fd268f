#pragma once
// The Hall window of training: small, always on top, beside whatever the
// console shows. The operator acts as the delegates of the simulated hall:
// signs in a range of units, presses a key on chosen units, opens or closes
// microphones, takes units offline and back, adds line noise, and lets the
// hall act by itself. A unit list outside 1..unitCount, or empty, is refused
// here with a message. Leaving (its button or close box) ends the console and
// asks first, with a warning while a sign-in or vote is open at the units.

#include "core/LanguageTable.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class TrainingHall;

class FrmHall : public QWidget
{
    Q_OBJECT
public:
    static constexpr char kUnits[] = "IDC_HALL_UNITS";
    static constexpr char kSignIn[] = "IDC_HALL_SIGNIN";
    static constexpr char kKey[] = "IDC_HALL_KEY";
    static constexpr char kPress[] = "IDC_HALL_PRESS";
    static constexpr char kMicOn[] = "IDC_HALL_MICON";
    static constexpr char kMicOff[] = "IDC_HALL_MICOFF";
    static constexpr char kOffline[] = "IDC_HALL_OFFLINE";
    static constexpr char kOnline[] = "IDC_HALL_ONLINE";
    static constexpr char kNoise[] = "IDC_HALL_NOISE";
    static constexpr char kLively[] = "IDC_HALL_LIVELY";
    static constexpr char kLeave[] = "IDC_HALL_LEAVE";

    explicit FrmHall(TrainingHall& hall, QWidget* parent = nullptr);

    // Asks (more urgently while a rehearsal runs) and emits leaveRequested on Yes.
    void leave();

signals:
    void leaveRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The units typed, or nothing after the refusal was shown.
    std::optional<QList<int>> units();

    TrainingHall& m_hall;
    Texts m_texts;
    QLineEdit* m_units;
    QComboBox* m_key;
    QComboBox* m_noise;
    QCheckBox* m_lively;
};
