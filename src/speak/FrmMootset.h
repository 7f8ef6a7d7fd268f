#pragma once
// The speaking page of the meeting hub: the hall's seat map with every
// microphone's state, refreshed from the unit table every 100 ms, and below
// it the operator's controls: the speaking mode and how many may speak, one
// unit's microphone opened, closed, locked or freed, all delegate
// microphones closed, seat labels as unit numbers or names, and the speaker
// name prompt on the hall screen.
//
// The speaking time: each speaker's time left is on the hall screen's speaker
// line and as a ring around the seat (amber at 30 s left, red at 0); with the
// switch on the console closes a delegate's microphone when it runs out. The
// page keeps the meeting's speakers' log; leaving the hub closes what is open.
//
// SeatYesORNo "No" (no seat layout) disables the controls; the map is drawn
// only when it is "yes".

#include "speak/MicrophoneControl.h"
#include "speak/SpeakingLog.h"
#include "ui/PageTexts.h"

#include <QStringList>
#include <QWidget>
#include <memory>

class HallScreen;
class FrmVidAdj;
class Link;
class QPushButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class SeatMap;
class SpeakerPrompt;
class Timer;
class TimerService;

class FrmMootset : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 100;
    static constexpr int kPromptMs = 200;
    static constexpr const char* kModeCombo = "1155";
    static constexpr const char* kCountCombo = "1156";
    static constexpr const char* kRestCombo = "1157";
    static constexpr const char* kUnitEdit = "1158";
    static constexpr const char* kOpenButton = "IDC_APPSPEK_BUTTON1";
    static constexpr const char* kCloseButton = "IDC_ENDSPEK_BUTTON";
    static constexpr const char* kCloseAllButton = "IDC_CLOSEALL_BUTTON";
    static constexpr const char* kForbidButton = "IDC_FORBID_BUTTON";
    static constexpr const char* kUntieButton = "IDC_UNTIE_BUTTON";
    static constexpr const char* kPromptCheck = "IDC_PSRSOUND_OPEN";
    static constexpr const char* kNumbersRadio = "IDC_RADIO_CELLNO";
    static constexpr const char* kNamesRadio = "IDC_RADIO_NAME";
    static constexpr const char* kCameraButton = "1165";
    static constexpr const char* kPanel = "1160";
    static constexpr const char* kRefusal = "refusal";
    static constexpr const char* kTimeCombo = "1166";
    static constexpr const char* kCloseAtTimeUpCheck = "IDC_CLOSE_TIMEUP";
    static constexpr const char* kNotice = "SpeakNotice";

    FrmMootset(Link& link, TimerService& timers, HallScreen& screen, QWidget* parent = nullptr);
    ~FrmMootset() override;

    // The delegates of the meeting, for seat labels and the speaker's name.
    void loadDelegates(const QString& meetingName);
    SeatMap* seatMap() const { return m_map; }
    FrmVidAdj* cameraWindow() const { return m_camera; }
    SpeakingLog& speakingLog() { return *m_log; }
    // The settings say there is no seat layout, so the controls are disabled.
    bool controlsWaitForLayout() const { return m_controlsOff; }

    void chooseMode(int index);
    void chooseSpeakerCount(int index);
    void actOnUnit(MicrophoneControl::UnitAction action);
    void closeAll();
    void showNumbers();
    void showNames();
    void setPromptOn(bool on);
    // Seconds each speaker has (0: none), stored at once.
    void chooseSpeakingTime(int seconds);
    void setCloseAtTimeUp(bool on);
    // Shows or hides the camera adjustment window.
    void toggleCamera();
    // The hub leaves this page: the camera window goes with it.
    void hideChildren();
    // One refresh of the seat map from the unit table.
    void refreshSeats();
    // One tick of the speaker name prompt.
    void promptSpeaker();

private:
    void prepareScreen();
    // micOn of units 1..unitCount, for the speaker prompt.
    QList<bool> microphoneStates() const;
    // The open microphones to the screen's viewers when they changed.
    void publishOpenMicrophones();
    void showCameraCaption(bool shown);
    QStringList labelsFrom(const QStringList& byUnit) const;
    void buildTimeRow(QWidget* panel);
    void takeTypedTime();

    Link& m_link;
    HallScreen& m_screen;
    PageTexts m_texts;
    std::unique_ptr<SpeakingLog> m_log;
    MicrophoneControl& m_control;
    std::unique_ptr<SpeakerPrompt> m_prompt;
    std::unique_ptr<Timer> m_refreshTimer;
    std::unique_ptr<Timer> m_promptTimer;
    bool m_controlsOff = false;
    QStringList m_unitNumbers; // by unit: the unit's own number text, where a delegate has it
    QStringList m_names;       // by unit: the name of the delegate at that unit
    QString m_shownLine;       // the speaker line last sent to the hall screen
    int m_shownSeconds = -1;

    SeatMap* m_map;
    QLabel* m_refusal; // why an Open did nothing: one line over the map's foot, never a box
    QComboBox* m_mode;
    QComboBox* m_count;
    QLineEdit* m_unit;
    QCheckBox* m_promptCheck;
    QComboBox* m_time;
    QCheckBox* m_closeAtTimeUp;
    QLabel* m_notice;
    QPushButton* m_cameraButton;
    FrmVidAdj* m_camera;
    QRadioButton* m_numbers;
    QRadioButton* m_namesRadio;
};
