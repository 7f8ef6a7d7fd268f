#pragma once
// The camera setup page of the settings hub: which camera the controller
// drives, its port and protocol, moving it, and the presets per seat. A
// preset is made by opening the unit's microphone (the controller then turns
// the camera to that seat), moving the camera by hand and saving; the
// controller keeps the position, System/Vidaddr.ini which units have one.
//
// Every word goes to the controller through the link with the camera mode.
// There is no live video preview.

#include "speak/CameraPad.h"
#include "speak/CameraPresets.h"
#include "ui/PageTexts.h"

#include <QWidget>

class Link;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class FrmVid : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kCameraList = "CameraList";
    static constexpr const char* kApplyButton = "IDC_ELEVID_OK";
    static constexpr const char* kPanoramaButton = "IDC_AFF_PAN";
    static constexpr const char* kPresetCheck = "IDC_CHECK_PREP";
    static constexpr const char* kUnitEdit = "CellEdit";
    static constexpr const char* kOpenButton = "IDC_OPEN_PREP";
    static constexpr const char* kSaveButton = "IDC_SAVE_ADDRE";
    static constexpr const char* kClearButton = "IDC_DEL_PREP";
    static constexpr const char* kListButton = "IDC_ADDRE_VIEW";
    static constexpr CameraPad::Names kPad = {
        "IDC_VIDICON_UP",   "IDC_VIDICON_LEFT", "IDC_VIDICON_RIGHT", "IDC_VIDICON_DOWN", "IDC_DRAW_NEAR",
        "IDC_PUSH_FARNESS", "IDC_APERTURE_ADD", "IDC_APERTURE_DEC",  "IDC_PACE_ADD",     "IDC_PACE_DEC"};

    explicit FrmVid(Link& link, QWidget* parent = nullptr);

    // Before each showing: the unit count and the camera chosen last.
    void refresh();

    void applyCamera();
    void openUnit();
    void savePreset();
    void clearPresets();
    void listPresets();

private:
    void allowPresets(bool allowed);
    void fileNotWritten() const;

    Link& m_link;
    PageTexts m_texts;
    CameraPresets m_presets;
    QComboBox* m_camera;
    QCheckBox* m_presetCheck;
    QLineEdit* m_unit;
    QPushButton* m_open;
    QPushButton* m_save;
    QPushButton* m_clear;
    QPushButton* m_list;
    int m_cameraIndex = 0;
    int m_unitCount = 0;
    int m_openedUnit = 0;
};
