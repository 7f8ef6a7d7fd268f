#pragma once
// The 28 words a caller hands to Display: the capture source, the 44-byte
// BITMAPINFO of the wanted capture format and the 64-byte COMPVARS of the
// compression settings, each laid out as the 32-bit Windows structures are.
// checkDisplayWords turns them into sound settings and says what it changed.

#include <QStringList>

#include <array>
#include <cstdint>
#include <cstring>

using DisplayWordArray = std::array<uint32_t, 28>;

// Word 1: 0 the default camera, n the n-th camera, this value the test picture.
constexpr uint32_t kTestPictureSource = 0xFFFFFFFFu;

constexpr uint32_t makeFourcc(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

// BITMAPINFOHEADER plus the one colour entry.
struct BitmapInfo
{
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
    uint32_t firstColour = 0;
};

// COMPVARS; the pointers are 32-bit words the caller's process owned and are kept only as numbers.
struct CompVars
{
    int32_t cbSize = 64;
    uint32_t dwFlags = 0;
    uint32_t hic = 0;
    uint32_t fccType = 0;
    uint32_t fccHandler = 0;
    uint32_t lpbiIn = 0;
    uint32_t lpbiOut = 0;
    uint32_t lpBitsOut = 0;
    uint32_t lpBitsPrev = 0;
    int32_t lFrame = 0;
    int32_t lKey = 0;
    int32_t lDataRate = 0;
    int32_t lQ = -1;
    int32_t lKeyCount = 0;
    uint32_t lpState = 0;
    int32_t cbState = 0;
};

struct DisplayWords
{
    uint32_t source = 0;
    BitmapInfo format;
    CompVars compression;
};

static_assert(sizeof(BitmapInfo) == 44 && sizeof(CompVars) == 64, "the caller's structures, word for word");

DisplayWords unpackDisplayWords(const DisplayWordArray& words);

// What a caller fills for a capture of this size compressed with this handler (0..10000 quality);
// without `compress` the codec handle stays 0, so nothing is compressed.
inline DisplayWords codecDisplayWords(uint32_t source, int width, int height, uint32_t handler, int quality,
                                      bool compress = true)
{
    DisplayWords display;
    display.source = source;
    display.format.width = width;
    display.format.height = height;
    display.format.sizeImage = uint32_t(width * height * 3);
    display.compression.hic = compress ? 1 : 0;
    display.compression.fccType = makeFourcc('v', 'i', 'd', 'c');
    display.compression.fccHandler = handler;
    display.compression.lQ = quality;
    return display;
}

// What a caller does: the structures laid out word by word.
inline DisplayWordArray packDisplayWords(const DisplayWords& display)
{
    DisplayWordArray words{};
    words[0] = display.source;
    std::memcpy(&words[1], &display.format, sizeof display.format);
    std::memcpy(&words[12], &display.compression, sizeof display.compression);
    return words;
}

// What the window runs with after the words were checked.
struct PlaybackSettings
{
    uint32_t source = 0;
    bool capture = true; // false: the size was unusable, nothing is captured
    int width = 0;
    int height = 0;
    int bitCount = 24;
    bool compress = false; // the caller supplied a codec handle
    bool decompress = true;
    uint32_t codecType = 0;
    uint32_t handler = 0;
    int quality = -1; // 0..10000, -1 the codec's default
    int keyRate = 0;  // a key frame every n frames, 0 the codec's default
};

struct CheckedWords
{
    PlaybackSettings settings;
    QStringList problems; // one clear sentence per value that was refused or changed
};

CheckedWords checkDisplayWords(const DisplayWords& display);
