// SPDX-License-Identifier: GPL-3.0-or-later
// The full scan against the fast scan of the operating point, on a sample of
// the differential test's inputs (the start of its stream 0).
//
//   bench_operating_point [--inputs=<count>] [Google Benchmark options]
//
// Google Benchmark first times both scans cycling over the sample; then every
// input is timed on its own, and the medians of the per-input times, the
// median of the per-input ratios and the ratio of the medians are printed.
#include "calc/operating_point_fast.h"
#include "samples/fast_scan_inputs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

std::vector<AirPath>& Sample()
{
    static std::vector<AirPath> sample;
    return sample;
}

void FillSample(int count)
{
    std::vector<AirPath>& sample = Sample();
    for (std::uint64_t index = 0; static_cast<int>(sample.size()) < count; ++index) {
        const scan_inputs::ScanInput input =
            scan_inputs::MakeScanInput(scan_inputs::kDifferentialSeed, index);
        if (input.accepted)
            sample.push_back(input.path);
    }
}

void BM_ScanReference(benchmark::State& state)
{
    const std::vector<AirPath>& sample = Sample();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanReference(sample[next]));
        next = (next + 1) % sample.size();
    }
}
BENCHMARK(BM_ScanReference)->Unit(benchmark::kMillisecond);

void BM_ScanFast(benchmark::State& state)
{
    const std::vector<AirPath>& sample = Sample();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanFast(sample[next]));
        next = (next + 1) % sample.size();
    }
}
BENCHMARK(BM_ScanFast)->Unit(benchmark::kMicrosecond);

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// Seconds per call of `scan` on one path, over at least `repeats` calls.
template <typename Scan> double TimeOf(Scan scan, const AirPath& path, int repeats)
{
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < repeats; ++r)
        benchmark::DoNotOptimize(scan(path));
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(stop - start).count() / repeats;
}

void ReportPerInput()
{
    const std::vector<AirPath>& sample = Sample();
    std::vector<double> reference;
    std::vector<double> fast;
    std::vector<double> ratios;
    std::vector<double> points;
    int mismatches = 0;
    for (const AirPath& path : sample) {
        const double r = TimeOf([](const AirPath& p) { return ScanReference(p); }, path, 1);
        const double f = TimeOf([](const AirPath& p) { return ScanFast(p); }, path, 200);
        FastScanStatistics statistics;
        const ScanMatch match = ScanFast(path, statistics);
        mismatches += !(match == ScanReference(path));
        reference.push_back(r);
        fast.push_back(f);
        ratios.push_back(r / f);
        points.push_back(static_cast<double>(statistics.evaluatedPoints));
    }
    const double referenceMedian = Median(reference);
    const double fastMedian = Median(fast);
    std::printf("\nPer input, %zu inputs of the differential test:\n", sample.size());
    std::printf("  full scan   median %10.3f us, max %10.3f us\n", referenceMedian * 1e6,
                *std::max_element(reference.begin(), reference.end()) * 1e6);
    std::printf("  fast scan   median %10.3f us, max %10.3f us\n", fastMedian * 1e6,
                *std::max_element(fast.begin(), fast.end()) * 1e6);
    std::printf("  ratio       median of the ratios %.0f, ratio of the medians %.0f, "
                "smallest ratio %.0f\n",
                Median(ratios), referenceMedian / fastMedian,
                *std::min_element(ratios.begin(), ratios.end()));
    std::printf("  evaluated points per input: median %.0f, max %.0f (of 545001)\n", Median(points),
                *std::max_element(points.begin(), points.end()));
    std::printf("  results differing from the full scan: %d\n", mismatches);
}

} // namespace

int main(int argc, char** argv)
{
    int count = 2000;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view option = argv[i];
        constexpr std::string_view prefix = "--inputs=";
        if (i > 0 && option.substr(0, prefix.size()) == prefix) {
            const std::string_view value = option.substr(prefix.size());
            const auto result = std::from_chars(value.data(), value.data() + value.size(), count);
            if (result.ec != std::errc{} || count < 1) {
                std::fprintf(stderr, "--inputs needs a positive whole number\n");
                return 2;
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
        return 2;

    FillSample(count);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReportPerInput();
    return 0;
}
