#pragma once
// The settings hub: the basic settings and, in installations with the
// discussion function ("0" and "2"), the camera setup and the seat layout of
// the hall, in the shared hub frame. Storing a new unit count moves on to the
// seat layout, which then offers or rebuilds the seats for it.

#include "ui/HubFrame.h"

class Frmbasicset;
class FrmVid;
class Frmfound;
class HallScreen;
class Link;

class FrmSysset : public HubFrame
{
    Q_OBJECT
public:
    static constexpr const char* kBasicButton = "IDC_BASIC_SETUP";
    static constexpr const char* kCameraButton = "IDC_VIDEO_SETUP";
    static constexpr const char* kSeatButton = "IDC_AROOM_SETUP";
    static constexpr const char* kExitButton = "IDC_SYSTEM_EXIT";
    static constexpr const char* kTitle = "1268";

    // `installationType` is the `function` value of the appearance row ("0".."3").
    FrmSysset(Link& link, HallScreen& screen, const QString& installationType, QWidget* parent = nullptr);

    Frmbasicset* basicPage() const { return m_basic; }
    Frmfound* seatPage() const { return m_seats; }
    FrmVid* cameraPage() const { return m_cameras; }

    void showBasic();
    void showSeats();
    // Reads the unit count and the chosen camera again before showing the page.
    void showCameras();

    // Exit, the close box and Escape all leave the hub the normal way.
    void done(int result) override;

signals:
    void languageChanged(const QString& code);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void unitCountStored();
    void showSeatHint();

    Frmbasicset* m_basic;
    Frmfound* m_seats = nullptr;
    FrmVid* m_cameras = nullptr;
};
