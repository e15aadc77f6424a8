#include "bench/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <glog/logging.h>

#include <QApplication>

#include <iostream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // glibc moves its heap thresholds as large blocks come and go, so a benchmark that frees
    // tens of megabytes an iteration ran on a warm heap in one run and faulted in fresh pages
    // in the next, after other benchmarks (the configuration read: 20 or 76 ms). Pinned where
    // glibc's own adjustment ends up in a long-running process, every run measures the code.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    google::InitGoogleLogging(argv[0]);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchRatio::Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::cout);
    benchmark::Shutdown();
    return 0;
}
