#pragma once
// The middle bytes of the camera words E6 xx 55 (Commands::camera). The
// controller drives the cameras; the console only names what it wants.

#include <QtGlobal>

namespace CameraWords {

// Held buttons: the motion runs from the press until the stop word.
constexpr quint8 kUp = 0xCC;
constexpr quint8 kLeft = 0x9E;
constexpr quint8 kRight = 0x9C;
constexpr quint8 kDown = 0xC6;
constexpr quint8 kZoomIn = 0xF8;
constexpr quint8 kZoomOut = 0xC0;
constexpr quint8 kIrisOpen = 0xFC;
constexpr quint8 kIrisClose = 0xFE;
constexpr quint8 kStop = 0xCF;

constexpr quint8 kSpeedUp = 0xE6;
constexpr quint8 kSpeedDown = 0xCE;
constexpr quint8 kPanorama = 0xF6;
constexpr quint8 kRs422 = 0xF4;
constexpr quint8 kRs232 = 0xF5;
constexpr quint8 kPelcoD = 0x8A;
constexpr quint8 kVisca = 0x8B;
constexpr quint8 kStorePreset = 0xF0;
constexpr quint8 kClearPresets = 0xF2;

// Camera index 0..7 chosen: E6 01 55 .. E6 08 55.
constexpr quint8 select(int index)
{
    return quint8(index + 1);
}

} // namespace CameraWords
