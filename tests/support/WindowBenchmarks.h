#pragma once
// The frame of a benchmark program that needs windows: Qt's offscreen platform unless another
// is asked for, the program's application object, and the benchmarks' command line.

#include "app/ui/VybitorApplication.h"

#include <benchmark/benchmark.h>

class TWindowBenchmarks {
public:
    TWindowBenchmarks(int& argc, char** argv) : offscreen_(useOffscreenPlatform()), app_(argc, argv)
    {
        benchmark::Initialize(&argc, argv);
    }
    // Runs the benchmarks chosen on the command line; set up what they need before.
    int Run()
    {
        benchmark::RunSpecifiedBenchmarks();
        return 0;
    }

private:
    static bool useOffscreenPlatform()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    bool offscreen_;
    TVybitorApplication app_;
};
