#pragma once
// The main of a benchmark program: the Qt application object the measured code
// needs, then every registered benchmark. Windows and fonts come from the
// offscreen platform, so the benchmarks run without a display.

#include <QByteArray>
#include <benchmark/benchmark.h>

template <class QtApplication> int runBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QtApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
