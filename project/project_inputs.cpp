// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_inputs.h"

#include "calc/derived.h"
#include "calc/inputs.h"
#include "calc/state_fields.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using S = CalcState;
using E = EnteredInputs;

bool Always(const S&)
{
    return true;
}
bool RoundDuct(const S& s)
{
    return s.DuctRound;
}
bool RectangularDuct(const S& s)
{
    return !s.DuctRound;
}
bool Hall(const S& s)
{
    return s.InstallationType == Installation::Hall;
}
bool Building(const S& s)
{
    return !Hall(s);
}
bool FixedLoss(const S& s)
{
    return s.InstallationType != Installation::BuildingAdjustable;
}
bool FixedGrille(const S& s)
{
    return Building(s) && FixedLoss(s);
}
bool RectangularGrille(const S& s)
{
    return s.InstallationType == Installation::BuildingRectangular;
}
bool AdjustableGrille(const S& s)
{
    return !FixedLoss(s);
}

// In the order they are written; the choices come before the fields they select.
const EnteredField kFields[] = {
    {"DensityEntered", Always},
    {"AirDensity", Always},
    {"WindSpeed", Always},
    {"DuctRound", Always},
    {"DuctDiameter", RoundDuct},
    {"DuctSideA", RectangularDuct},
    {"DuctSideB", RectangularDuct},
    {"DuctRoughness", Always},
    {"InstallationType", Always},
    {"IsHall", Always},
    {"DuctLength", Hall},
    {"StoreyHeight", Building},
    {"StoreyCount", Building},
    {"GrilleSizeA", FixedGrille},
    {"GrilleSizeB", RectangularGrille},
    {"LossCoefficient", FixedLoss},
    {"AdjustableGrille", AdjustableGrille, &E::grille, 0, 5},
    {"Opening", AdjustableGrille, &E::opening, 0, kLargestOpening},
};

// The state's field that an entered field is; every one but the inputs' own
// is one.
const StateField& StateFieldOf(const EnteredField& field)
{
    return *FindStateField(field.name);
}

// The same number up to the last digits of a double.
bool Agree(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

QString Number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

const EnteredField* EnteredFieldsBegin()
{
    return std::begin(kFields);
}

const EnteredField* EnteredFieldsEnd()
{
    return std::end(kFields);
}

EnteredBounds BoundsOf(const EnteredField& field)
{
    if (field.own)
        return {true, field.least, field.most};
    const StateField& state = StateFieldOf(field);
    return {state.Whole(), state.least, state.most};
}

double EnteredValue(const EnteredInputs& inputs, const EnteredField& field)
{
    if (field.own)
        return inputs.*field.own;
    return FieldNumber(inputs.values, StateFieldOf(field));
}

void SetEntered(EnteredInputs& inputs, const EnteredField& field, double value)
{
    if (field.own)
        inputs.*field.own = static_cast<std::int32_t>(value);
    else
        (void)SetFieldNumber(inputs.values, StateFieldOf(field), value);
}

EnteredInputs EnteredOf(const CalcState& state)
{
    EnteredInputs inputs;
    inputs.values = state;
    for (std::size_t g = 0; g < kAdjustableGrilles.size(); ++g) {
        if (kAdjustableGrilles[g].diameter != state.GrilleSizeA)
            continue;
        for (std::int32_t n = 0; n <= kLargestOpening; ++n) {
            if (GrilleLossCoefficient(kAdjustableGrilles[g], n) == state.LossCoefficient) {
                inputs.grille = static_cast<std::int32_t>(g + 1);
                inputs.opening = n;
                return inputs;
            }
        }
    }
    return inputs;
}

Result<CalcState> DeriveState(const EnteredInputs& inputs)
{
    const CalcState& e = inputs.values;
    CalcState s;
    s.DensityEntered = e.DensityEntered;
    ApplyTypedAir(s, e.AirDensity, e.WindSpeed);
    s.DuctRound = e.DuctRound;
    if (e.DuctRound) {
        ApplyRoundDuct(s, e.DuctDiameter);
    } else if (ApplyRectangularDuct(s, e.DuctSideA, e.DuctSideB) != Refusal::None) {
        s.DuctSideA = e.DuctSideA; // sides not entered yet: no diameter follows
        s.DuctSideB = e.DuctSideB;
    }
    s.DuctRoughness = e.DuctRoughness;
    s.InstallationType = e.InstallationType;
    const Installation kind = e.InstallationType;
    if (kind == Installation::Hall)
        ApplyHall(s, e.DuctLength, e.LossCoefficient);
    else
        ApplyStoreys(s, e.StoreyHeight, e.StoreyCount);
    if (kind == Installation::BuildingRectangular)
        ApplyRectangularGrille(s, e.GrilleSizeA, e.GrilleSizeB, e.LossCoefficient);
    else if (kind == Installation::BuildingRound)
        ApplyRoundGrille(s, e.GrilleSizeA, e.LossCoefficient);
    else if (kind == Installation::BuildingAdjustable && inputs.grille >= 1)
        ApplyAdjustableGrille(s, kAdjustableGrilles[static_cast<std::size_t>(inputs.grille - 1)],
                              inputs.opening);
    s.IsHall = e.IsHall;
    if (s.IsHall && kind != Installation::Hall)
        return FailureOf(
            QStringLiteral("pole IsHall oznacza halę, a pole InstallationType budynek"));
    return s;
}

Outcome CheckKeptDerivation(const CalcState& kept, const CalcState& derived)
{
    struct Pair {
        const char* name;
        double kept;
        double derived;
        bool grille; // a hall has none: its grille fields are left from a building
    };
    const bool hall = kept.InstallationType == Installation::Hall;
    const Pair pairs[] = {
        {"DuctArea", kept.DuctArea, CircleArea(kept.DuctDiameter), false},
        {"DuctDiameter", kept.DuctDiameter, derived.DuctDiameter, false},
        {"DuctArea", kept.DuctArea, derived.DuctArea, false},
        {"DuctLength", kept.DuctLength, derived.DuctLength, false},
        {"LossCoefficient", kept.LossCoefficient, derived.LossCoefficient, false},
        {"GrilleSizeA", kept.GrilleSizeA, derived.GrilleSizeA, true},
        {"GrilleArea", kept.GrilleArea, derived.GrilleArea, true},
    };
    for (const Pair& p : pairs) {
        // Without results only the pair that every duct dialog writes together.
        if ((&p != pairs && !kept.ResultsShown) || (p.grille && hall))
            continue;
        if (!Agree(p.kept, p.derived))
            return FailureOf(QStringLiteral("pole %1 (%2) przeczy danym, z których wynika (%3)")
                                 .arg(QLatin1String(p.name), Number(p.kept), Number(p.derived)));
    }
    return {};
}

Outcome CheckEnteredChoices(const CalcState& s)
{
    const bool unset = !s.ResultsShown;
    const auto listed = [&](double value, const auto& list, auto member) {
        return (unset && value == 0.0) ||
               std::any_of(list.begin(), list.end(),
                           [&](const auto& item) { return item.*member == value; });
    };
    if (!listed(s.DuctRoughness, kDuctMaterials, &DuctMaterial::roughness))
        return FailureOf(
            QStringLiteral("pole DuctRoughness (%1) nie jest chropowatością żadnego z materiałów "
                           "kanału")
                .arg(Number(s.DuctRoughness)));
    if (s.InstallationType == Installation::Hall &&
        !listed(s.LossCoefficient, kHallInlets, &HallInlet::lossCoefficient))
        return FailureOf(
            QStringLiteral("pole LossCoefficient (%1) nie jest współczynnikiem strat żadnego z "
                           "wlotów hali")
                .arg(Number(s.LossCoefficient)));
    return {};
}
