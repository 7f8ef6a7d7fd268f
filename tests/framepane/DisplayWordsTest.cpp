#include "framepane/DisplayWords.h"

#include <QByteArray>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

void put32(QByteArray& bytes, int offset, uint32_t value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// The caller's 108 bytes, written field by field at their offsets, then read as the 27 words after word 1.
DisplayWordArray wordsFromBytes(uint32_t source, const QByteArray& bitmapInfo, const QByteArray& compVars)
{
    const QByteArray bytes = bitmapInfo + compVars;
    DisplayWordArray words{source};
    for (int word = 1; word < 28; ++word)
        words[word] = qFromLittleEndian<uint32_t>(bytes.constData() + (word - 1) * 4);
    return words;
}

QByteArray handMadeBitmapInfo()
{
    QByteArray info(44, '\0');
    put32(info, 0, 40);
    put32(info, 4, 352);
    put32(info, 8, uint32_t(-288));
    qToLittleEndian<uint16_t>(1, info.data() + 12);
    qToLittleEndian<uint16_t>(24, info.data() + 14);
    put32(info, 20, 352 * 288 * 3);
    put32(info, 40, 0x00123456);
    return info;
}

QByteArray handMadeCompVars(int32_t cbSize, int32_t quality)
{
    QByteArray vars(64, '\0');
    put32(vars, 0, uint32_t(cbSize));
    put32(vars, 4, 1); // ICMF_COMPVARS_VALID
    put32(vars, 8, 0x4711);
    std::memcpy(vars.data() + 12, "vidc", 4);
    std::memcpy(vars.data() + 16, "MJPG", 4);
    put32(vars, 40, 15);                // lKey
    put32(vars, 48, uint32_t(quality)); // lQ
    return vars;
}

} // namespace

TEST(DisplayWordsTest, UnpacksTheCallersStructuresFromTheirBytes)
{
    const DisplayWords display =
        unpackDisplayWords(wordsFromBytes(3, handMadeBitmapInfo(), handMadeCompVars(64, 8500)));

    EXPECT_EQ(display.source, 3u);
    EXPECT_EQ(display.format.width, 352);
    EXPECT_EQ(display.format.height, -288);
    EXPECT_EQ(display.format.bitCount, 24);
    EXPECT_EQ(display.format.sizeImage, 352u * 288 * 3);
    EXPECT_EQ(display.format.firstColour, 0x00123456u);
    EXPECT_EQ(display.compression.hic, 0x4711u);
    EXPECT_EQ(display.compression.fccHandler, makeFourcc('M', 'J', 'P', 'G'));
    EXPECT_EQ(display.compression.lKey, 15);
    EXPECT_EQ(display.compression.lQ, 8500);

    const CheckedWords checked = checkDisplayWords(display);
    EXPECT_TRUE(checked.problems.isEmpty()) << checked.problems.join('\n').toStdString();
    EXPECT_EQ(checked.settings.height, 288); // top-down: the same size
}

TEST(DisplayWordsTest, UnsoundValuesAreToldAndReplacedOrRefused)
{
    DisplayWords display =
        unpackDisplayWords(wordsFromBytes(0, handMadeBitmapInfo(), handMadeCompVars(64, 20000)));
    display.format.bitCount = 8;
    CheckedWords checked = checkDisplayWords(display);
    EXPECT_EQ(checked.problems.size(), 2);
    EXPECT_EQ(checked.settings.bitCount, 16);
    EXPECT_EQ(checked.settings.quality, 10000);
    EXPECT_TRUE(checked.settings.capture);

    for (const auto& [width, height] : {std::pair{0, 480}, std::pair{640, 0}, std::pair{8193, 480}}) {
        display = unpackDisplayWords(wordsFromBytes(0, handMadeBitmapInfo(), handMadeCompVars(64, 5000)));
        display.format.width = width;
        display.format.height = height;
        checked = checkDisplayWords(display);
        EXPECT_FALSE(checked.settings.capture) << width << " x " << height;
        EXPECT_EQ(checked.problems.size(), 1);
    }

    // A structure of another size cannot be read field by field: no codec, the raw picture.
    checked = checkDisplayWords(
        unpackDisplayWords(wordsFromBytes(0, handMadeBitmapInfo(), handMadeCompVars(60, 5000))));
    EXPECT_EQ(checked.problems.size(), 1);
    EXPECT_FALSE(checked.settings.decompress);
    EXPECT_FALSE(checked.settings.compress);
}
