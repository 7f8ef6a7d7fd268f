#pragma once
// What the console remembers of the cameras, in System/Vidaddr.ini: the camera
// chosen last ([Vidset] SetVid = its index 0..7) and, per camera, which units
// have a stored preset ([VID<index>] cell<n> = n). The positions themselves
// live in the controller; this file only lets the operator see which seats
// are done. No widgets here.
//
// A damaged file gives what is sound: an unreadable SetVid means the first
// camera, and writes keep every entry they do not change.

#include <QString>
#include <optional>

class CameraPresets
{
public:
    static constexpr int kCameras = 8;
    static constexpr const char* kFile = "System/Vidaddr.ini";

    // Index 0..7 of the camera chosen last; the first when none is stored.
    int selectedCamera() const;
    bool selectCamera(int index);

    bool savePreset(int camera, int unit);
    // Forgets every preset of that camera, and nothing else.
    bool clearPresets(int camera);

    struct Overview
    {
        QString withPreset;    // "1:2:"
        QString withoutPreset; // "3 :4 :...", a line break before every 15th number
    };
    Overview overview(int camera, int unitCount) const;

    // A typed unit number 1..unitCount, digits only.
    static std::optional<int> unitNumber(const QString& text, int unitCount);

private:
    // Under the program folder in use at the time of the call.
    static QString file();
};
