#pragma once
// The sizes every scaling figure is taken at: strings of 12, 36 and 108 batteries with
// 1000, 3000 and 10000 samples (the last one is the full-size test).

#include <benchmark/benchmark.h>

inline void ScalingGrid(benchmark::internal::Benchmark* b)
{
    b->ArgsProduct({{12, 36, 108}, {1000, 3000, 10000}})->ArgNames({"batteries", "rows"});
}
