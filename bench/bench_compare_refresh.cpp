// SPDX-License-Identifier: GPL-3.0-or-later
// CPU time of one refresh of the comparison window, as a keystroke causes it:
// a need typed (the wind sweeps kept), and a draught field changed with a
// need that no model reaches (every sweep computed anew); with a year of
// weather set (the Chicago file, or a wind distribution): a need typed (the
// table at once, the year's column deferred), the column computed anew for a
// need (what the pause in typing then costs), and a share typed (the column
// kept).
#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/inputs.h"
#include "compare/compare_window.h"
#include "weather/weather_source.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

// The hall example: density 1.2, wind 4 m/s, a round steel duct of 0.16 m,
// 5 m long, an inlet with a collar.
CalcState HallExample()
{
    CalcState state;
    ResetCalcState(state);
    state.DensityEntered = true;
    ApplyTypedAir(state, 1.2, 4.0);
    state.DuctRound = true;
    ApplyRoundDuct(state, 0.16);
    state.DuctRoughness = kDuctMaterials[0].roughness;
    state.InstallationType = Installation::Hall;
    state.IsHall = true;
    ApplyHall(state, 5.0, 0.5);
    return state;
}

void TypeNeed(benchmark::State& run, bool draught, const char* need, bool changeDraught)
{
    CalcState state = HallExample();
    CompareWindow window(state, {});
    window.show();
    window.Refresh();
    if (draught)
        window.findChild<QCheckBox*>("StackEnabled")->setChecked(true);
    auto* needEdit = window.findChild<QLineEdit*>("NeededFlowEdit");
    auto* inside = window.findChild<QLineEdit*>("StackInside");
    needEdit->setText(need);
    int i = 0;
    for (auto _ : run) {
        // Each keystroke changes the text and so refreshes the window once.
        if (changeDraught)
            inside->setText(i++ % 2 == 0 ? "20,5" : "20");
        else
            needEdit->setText(QString(need) + (i++ % 2 == 0 ? "1" : ""));
    }
}

void NeedTyped(benchmark::State& run)
{
    TypeNeed(run, false, "150", false);
}
void NeedTypedWithDraught(benchmark::State& run)
{
    TypeNeed(run, true, "150", false);
}
void DraughtChangedNeedUnreached(benchmark::State& run)
{
    TypeNeed(run, true, "5000", true);
}
void WindOnlyChangedNeedUnreached(benchmark::State& run)
{
    TypeNeed(run, false, "5000", true);
}

std::shared_ptr<const LoadedWeather> Weather(bool file)
{
    if (!file)
        return std::make_shared<const LoadedWeather>(
            LoadWeather(WindDistributionSource(3.5, 2.0)).Value());
    QFile epw(WYW_WEATHER_FILE);
    if (!epw.open(QIODevice::ReadOnly))
        throw std::runtime_error("no weather file");
    const QByteArray bytes = epw.readAll();
    return std::make_shared<const LoadedWeather>(
        LoadWeather(WeatherFileSource(WYW_WEATHER_FILE),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
            .Value());
}

enum class YearStep { NeedTyped, NeedComputed, ShareTyped };

void WithYear(benchmark::State& run, bool file, YearStep step)
{
    CalcState state = HallExample();
    CompareWindow window(state, {});
    window.SetYearWeather(Weather(file), Site{2, 3, 6.0}, WholeYear());
    window.show();
    window.Refresh();
    auto* needEdit = window.findChild<QLineEdit*>("NeededFlowEdit");
    auto* shareEdit = window.findChild<QLineEdit*>("YearShareEdit");
    needEdit->setText("60");
    window.Refresh();
    int i = 0;
    for (auto _ : run) {
        const bool odd = i++ % 2 == 0;
        if (step == YearStep::ShareTyped) {
            shareEdit->setText(odd ? "95" : "90");
            continue;
        }
        needEdit->setText(odd ? "601" : "60");
        if (step == YearStep::NeedComputed)
            window.Refresh(); // what the pause in typing does
    }
    run.counters["computations"] = window.YearComputations();
}

void YearFileNeedTyped(benchmark::State& run)
{
    WithYear(run, true, YearStep::NeedTyped);
}
void YearFileNeedComputed(benchmark::State& run)
{
    WithYear(run, true, YearStep::NeedComputed);
}
void YearFileShareTyped(benchmark::State& run)
{
    WithYear(run, true, YearStep::ShareTyped);
}
void YearDistributionNeedComputed(benchmark::State& run)
{
    WithYear(run, false, YearStep::NeedComputed);
}

} // namespace

BENCHMARK(YearFileNeedTyped)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(YearFileNeedComputed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(YearFileShareTyped)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(YearDistributionNeedComputed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(NeedTyped)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(NeedTypedWithDraught)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(DraughtChangedNeedUnreached)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(WindOnlyChangedNeedUnreached)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
