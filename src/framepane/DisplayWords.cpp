#include "framepane/DisplayWords.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>

namespace {

constexpr int kMaxSide = 8192;
constexpr int kMaxQuality = 10000;
constexpr int kQualityDefault = -1;
constexpr uint32_t kVideoCodecType = makeFourcc('v', 'i', 'd', 'c');

template <typename Struct> Struct fromWords(const uint32_t* words)
{
    static_assert(std::is_trivially_copyable_v<Struct>);
    Struct value;
    std::memcpy(static_cast<void*>(&value), words, sizeof value);
    return value;
}

int nearestBitCount(int bitCount)
{
    if (bitCount <= 16)
        return 16;
    return bitCount <= 24 ? 24 : 32;
}

} // namespace

DisplayWords unpackDisplayWords(const DisplayWordArray& words)
{
    DisplayWords display;
    display.source = words[0];
    display.format = fromWords<BitmapInfo>(&words[1]);
    display.compression = fromWords<CompVars>(&words[12]);
    return display;
}

CheckedWords checkDisplayWords(const DisplayWords& display)
{
    CheckedWords checked;
    PlaybackSettings& settings = checked.settings;
    const BitmapInfo& format = display.format;
    const CompVars& vars = display.compression;
    settings.source = display.source;

    // A negative height is a top-down bitmap of the same size.
    settings.width = format.width;
    settings.height = std::abs(format.height);
    if (settings.width < 1 || settings.width > kMaxSide || settings.height < 1 ||
        settings.height > kMaxSide) {
        checked.problems << QStringLiteral(
                                "The capture size %1 x %2 is outside 1 to %3; nothing is captured.")
                                .arg(format.width)
                                .arg(format.height)
                                .arg(kMaxSide);
        settings.capture = false;
    }
    settings.bitCount = nearestBitCount(format.bitCount);
    if (settings.bitCount != format.bitCount)
        checked.problems << QStringLiteral("A bit count of %1 is not 16, 24 or 32; %2 bits are used.")
                                .arg(format.bitCount)
                                .arg(settings.bitCount);

    if (vars.cbSize != 64) {
        // Without a sound size the other fields cannot be trusted: no codec at all.
        checked.problems << QStringLiteral(
                                "The compression settings are %1 bytes, not 64; the picture is shown "
                                "uncompressed.")
                                .arg(vars.cbSize);
        settings.decompress = false;
        return checked;
    }
    settings.compress = vars.hic != 0;
    settings.codecType = vars.fccType == 0 ? kVideoCodecType : vars.fccType;
    settings.handler = vars.fccHandler;
    settings.keyRate = std::max(vars.lKey, 0);
    settings.quality = vars.lQ < 0 ? kQualityDefault : vars.lQ;
    if (vars.lQ > kMaxQuality) {
        checked.problems
            << QStringLiteral("A quality of %1 is above %2; %2 is used.").arg(vars.lQ).arg(kMaxQuality);
        settings.quality = kMaxQuality;
    }
    return checked;
}
