#include "framepane/CodecRoundTrip.h"
#include "framepane/FourccCodec.h"
#include "framepane/FrameFormat.h"
#include "framepane/TestPictureSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr QSize kVga{640, 480};

PlaybackSettings settingsFor(const char* handler, int quality, bool compress = true)
{
    const uint32_t fourcc = makeFourcc(handler[0], handler[1], handler[2], handler[3]);
    return checkDisplayWords(codecDisplayWords(0, kVga.width(), kVga.height(), fourcc, quality, compress))
        .settings;
}

// Smooth colour (which the codecs' halved colour resolution keeps) under fine grey texture (which
// the quantiser does not): a frame whose PSNR tells the quality setting.
QImage texturedFrame()
{
    QImage image(kVga, QImage::Format_BGR888);
    for (int y = 0; y < kVga.height(); ++y) {
        for (int x = 0; x < kVga.width(); ++x) {
            const int texture = int(40 * std::sin(x * 0.9) * std::sin(y * 0.7));
            const int red = 120 + int(60 * std::sin(x / 53.0) * std::cos(y / 41.0));
            image.setPixel(x, y,
                           qRgb(red + texture, 40 + x * 160 / 640 + texture, 40 + y * 160 / 480 + texture));
        }
    }
    return image;
}

double psnr(const QImage& a, const QImage& b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* rowA = a.constScanLine(y);
        const uchar* rowB = b.constScanLine(y);
        for (int x = 0; x < a.width() * 3; ++x)
            squares += (rowA[x] - rowB[x]) * (rowA[x] - rowB[x]);
    }
    return 10 * std::log10(255.0 * 255.0 * a.width() * a.height() * 3 / squares);
}

double roundTripPsnr(const char* handler, int quality)
{
    CodecRoundTrip codec;
    EXPECT_TRUE(codec.open(settingsFor(handler, quality)).isEmpty());
    EXPECT_TRUE(codec.roundTrips());
    const QImage frame = texturedFrame();
    const QImage shown = codec.process(frame);
    EXPECT_EQ(shown.size(), kVga);
    EXPECT_EQ(shown.format(), frame.format());
    return shown.isNull() ? 0 : psnr(frame, shown);
}

} // namespace

// MJPG, H264, XVID and an unknown handler are reached through the round trips below.
TEST(CodecRoundTripTest, UncompressedHandlerIsRawVideo)
{
    EXPECT_EQ(codecForHandler(makeFourcc('D', 'I', 'B', ' ')), AV_CODEC_ID_RAWVIDEO);
}

TEST(CodecRoundTripTest, MjpegQualityFollowsTheSetting)
{
    const double high = roundTripPsnr("MJPG", 10000);
    const double low = roundTripPsnr("MJPG", 0);
    EXPECT_GT(high, 30.0);
    EXPECT_LT(low, high - 3);
    std::printf("MJPEG PSNR: %.1f dB at quality 10000, %.1f dB at 0\n", high, low);
}

TEST(CodecRoundTripTest, H264AndXvidPicturesComeBackAtOnce)
{
    EXPECT_GT(roundTripPsnr("H264", 8000), 25.0);
    EXPECT_GT(roundTripPsnr("XVID", 8000), 25.0);
}

TEST(CodecRoundTripTest, AFailedStepLeavesTheRawPicture)
{
    const QImage frame = toCaptureFormat(TestPictureSource::picture(kVga, 3), kVga, 24);

    CodecRoundTrip unknownCompressor;
    EXPECT_EQ(unknownCompressor.open(settingsFor("QQZ9", 5000)),
              QStringList{"ICSeqCompressFrameStart In InitCompressor ERROR"});
    EXPECT_FALSE(unknownCompressor.roundTrips());
    EXPECT_EQ(unknownCompressor.process(frame), frame);

    CodecRoundTrip unknownDecompressor;
    EXPECT_EQ(unknownDecompressor.open(settingsFor("QQZ9", 5000, false)),
              QStringList{"Fail to get decompressor"});
    EXPECT_EQ(unknownDecompressor.process(frame), frame);

    // No codec handle: nothing is compressed, but the handler must still name a decompressor.
    CodecRoundTrip noHandle;
    EXPECT_TRUE(noHandle.open(settingsFor("MJPG", 5000, false)).isEmpty());
    EXPECT_FALSE(noHandle.roundTrips());
    EXPECT_EQ(noHandle.process(frame), frame);
}
