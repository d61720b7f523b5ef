// CPU time of one refresh of the comparison window, as a keystroke causes it:
// a need typed (the wind sweeps kept), and a draught field changed with a
// need that no model reaches (every sweep computed anew).
#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/inputs.h"
#include "compare/compare_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

// The hall example: density 1.2, wind 4 m/s, a round steel duct of 0.16 m,
// 5 m long, an inlet with a collar.
CalcState HallExample()
{
    CalcState state;
    ResetCalcState(state);
    state.DensityEntered = 1;
    ApplyTypedAir(state, 1.2, 4.0);
    state.DuctRound = 1;
    ApplyRoundDuct(state, 0.16);
    state.DuctRoughness = kDuctMaterials[0].roughness;
    state.InstallationType = 0;
    state.IsHall = 1;
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

} // namespace

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
