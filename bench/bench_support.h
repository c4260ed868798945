#pragma once
// What the benchmark programs of the views share.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace vesdra::bench {

// A benchmark program's main for code that needs widgets: the registered
// benchmarks run inside an offscreen QApplication, so no display is needed
// and none is drawn on.
inline int RunWithQt(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}

} // namespace vesdra::bench
