// Figures for one frame of the playback window at 640 x 480, 24 bits, MJPEG:
// the capture conversion, the codec round trip (encode and decode) and the
// stretch into the window's area. 30 frames a second leave 33 ms for all.

#include "BenchMain.h"
#include "framepane/CodecRoundTrip.h"
#include "framepane/FrameFormat.h"
#include "framepane/TestPictureSource.h"

#include <QGuiApplication>

namespace {

constexpr QSize kVga{640, 480};

PlaybackSettings mjpegSettings()
{
    return checkDisplayWords(
               codecDisplayWords(0, kVga.width(), kVga.height(), makeFourcc('M', 'J', 'P', 'G'), 7500))
        .settings;
}

// A camera frame as Qt Multimedia hands it over: 32-bit RGB.
QImage cameraFrame()
{
    return TestPictureSource::picture(kVga, 42);
}

void BM_CaptureConversion(benchmark::State& state)
{
    const QImage frame = cameraFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(toCaptureFormat(frame, kVga, 24));
}
BENCHMARK(BM_CaptureConversion)->Unit(benchmark::kMillisecond);

void BM_MjpegRoundTrip(benchmark::State& state)
{
    CodecRoundTrip codec;
    codec.open(mjpegSettings());
    const QImage frame = toCaptureFormat(cameraFrame(), kVga, 24);
    for (auto _ : state)
        benchmark::DoNotOptimize(codec.process(frame));
    state.counters["compressed bytes"] = codec.compressedSize();
}
BENCHMARK(BM_MjpegRoundTrip)->Unit(benchmark::kMillisecond);

void BM_PaneScale(benchmark::State& state)
{
    const QImage frame = toCaptureFormat(cameraFrame(), kVga, 24);
    for (auto _ : state)
        benchmark::DoNotOptimize(paneImage(frame));
}
BENCHMARK(BM_PaneScale)->Unit(benchmark::kMillisecond);

void BM_WholeFrame(benchmark::State& state)
{
    CodecRoundTrip codec;
    codec.open(mjpegSettings());
    const QImage frame = cameraFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(paneImage(codec.process(toCaptureFormat(frame, kVga, 24))));
}
BENCHMARK(BM_WholeFrame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
