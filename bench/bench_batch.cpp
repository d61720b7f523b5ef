// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of wywietrznik-cli --batch: 10,000 random cases, CSV and JSON.
#include "cli/cli_batch.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

std::string RandomCases(int count)
{
    std::mt19937 random(10000);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto real = [&](double low, double high) {
        return std::to_string(low + unit(random) * (high - low));
    };
    std::string text = "# 10,000 ducts\n";
    for (int i = 0; i < count; ++i) {
        text += "--density " + real(1.0, 1.4) + " --wind " + real(0.5, 10) + " --round " +
                real(0.05, 0.6) + " --material " + std::to_string(1 + random() % 6);
        text += i % 2 ? " --hall " + real(0.5, 30)
                      : " --building-round 3," + std::to_string(1 + random() % 12) + "," +
                            real(0.05, 0.3) + ",1.5";
        text += " --model " + std::to_string(1 + random() % 27) + "\n";
    }
    return text;
}

void BM_Batch(benchmark::State& state, CliRequest::Format format)
{
    const std::string cases = RandomCases(10000);
    for (auto _ : state) {
        std::string out;
        benchmark::DoNotOptimize(RunBatchText(cases, format, out));
        benchmark::DoNotOptimize(out.data());
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_Batch, csv_10000_cases, CliRequest::Format::Csv)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Batch, json_10000_cases, CliRequest::Format::Json)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
