// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/stack_draught.h"

#include "calc/input_limits.h"
#include "calc/number_format.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A polynomial of degree at most 3 in Q >= 0, its coefficients taken as exact.
struct Polynomial {
    double c[4] = {0, 0, 0, 0};

    double Value(double q) const { return ((c[3] * q + c[2]) * q + c[1]) * q + c[0]; }
    double Slope(double q) const { return (3.0 * c[3] * q + 2.0 * c[2]) * q + c[1]; }
    int Degree() const
    {
        for (int k = 3; k > 0; --k) {
            if (c[k] != 0.0)
                return k;
        }
        return 0;
    }
};

// What drives the flow less what the air path loses, against Q [m3/s]:
// f(Q) = -Cp(Q / A) pw + dps - Ro Rs Q^2 / 2.
Polynomial Balance(const AirPath& path, double stackPressure)
{
    const double a = path.ductArea;
    const double pw = path.windPressure;
    Polynomial f;
    f.c[0] = stackPressure - pw * path.coef[0];
    f.c[1] = -pw * path.coef[1] / a;
    f.c[2] = -pw * path.coef[2] / (a * a) - 0.5 * path.resistanceDensity;
    f.c[3] = -pw * path.coef[3] / (a * a * a);
    return f;
}

// The root of f in [low, high], where f(low) and f(high) differ in sign, to the
// last bit by bisection.
double Bisect(const Polynomial& f, double low, double high)
{
    const bool lowNegative = f.Value(low) < 0.0;
    for (int step = 0; step < 2100; ++step) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high)
            break;
        (f.Value(middle) < 0.0) == lowNegative ? low = middle : high = middle;
    }
    return std::fabs(f.Value(low)) <= std::fabs(f.Value(high)) ? low : high;
}

// A root of f above 0 and whether f falls through zero there (from above to
// below with rising flow): a stable state.
struct Root {
    double flow = 0.0; // Q [m3/s]
    bool falling = false;
};

// Every root of f in (0, inf): the turning points split it into monotone
// pieces, the last one ending at a bound on the roots (Cauchy's).
std::vector<Root> Roots(const Polynomial& f)
{
    const int n = f.Degree();
    std::vector<Root> roots;
    if (n == 0)
        return roots;
    double bound = 0.0;
    for (int k = 0; k < n; ++k)
        bound = std::max(bound, std::fabs(f.c[k] / f.c[n]));
    bound += 1.0;

    std::vector<double> cuts{0.0};
    const double a = 3.0 * f.c[3], b = 2.0 * f.c[2], c = f.c[1];
    if (a != 0.0) {
        const double discriminant = b * b - 4.0 * a * c;
        if (discriminant > 0.0) {
            const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
            cuts.push_back(q / a);
            if (q != 0.0)
                cuts.push_back(c / q);
        }
    } else if (b != 0.0) {
        cuts.push_back(-c / b);
    }
    cuts.push_back(bound);
    std::sort(cuts.begin(), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double low = std::max(cuts[i], 0.0);
        const double high = cuts[i + 1];
        if (!(high > low))
            continue;
        const double atLow = f.Value(low), atHigh = f.Value(high);
        if (atHigh == 0.0) {
            // On a turning point: a crossing only where the next piece goes on.
            const double after = f.Value(i + 2 < cuts.size() ? cuts[i + 2] : 2.0 * high);
            roots.push_back({high, atLow > 0.0 && after < 0.0});
        } else if ((atLow < 0.0) != (atHigh < 0.0) && atLow != 0.0) {
            roots.push_back({Bisect(f, low, high), atLow > 0.0});
        }
    }
    auto byFlow = [](const Root& x, const Root& y) { return x.flow < y.flow; };
    auto sameFlow = [](const Root& x, const Root& y) { return x.flow == y.flow; };
    std::sort(roots.begin(), roots.end(), byFlow);
    roots.erase(std::unique(roots.begin(), roots.end(), sameFlow), roots.end());
    return roots;
}

// Whether the air at rest starts to rise: g(0) > 0, or g(0) = 0 and the first
// of its derivatives at 0 that is not zero is positive.
bool StartsFromRest(const Polynomial& f)
{
    for (double coefficient : f.c) {
        if (coefficient != 0.0)
            return coefficient > 0.0;
    }
    return false;
}

// The program's own calculation on the same inputs, beside the roots at
// dps = 0: it differs where only one of the two finds a point, or where the
// meeting it chooses lies nearest another root than the chosen one.
void CompareWithScan(const CalcState& state, const VentilatorModel& model,
                     const std::vector<Root>& roots, StackPoint& point)
{
    const OperatingPoint scan = EvaluateOperatingPoint(state, model);
    point.scanFound = scan.status == OperatingPointStatus::Found;
    point.scanFlowPerHour = point.scanFound ? scan.flowPerHour : 0.0;
    const bool found = point.status == StackStatus::Found;
    // In a calm the scan's flow is 0: no upward flow, as from rest.
    const bool scanFlows = point.scanFound && scan.flowPerHour > 0.0;
    if (!found || !scanFlows || roots.empty()) {
        point.scanDiffers = found != scanFlows;
        return;
    }
    const double scanFlow = scan.flowPerHour / 3600.0;
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < roots.size(); ++i) {
        if (std::fabs(roots[i].flow - scanFlow) < std::fabs(roots[nearest].flow - scanFlow))
            nearest = i;
    }
    point.scanDiffers = nearest != 0; // the chosen point is the smallest root
}

// Chooses the state reached from rest among the roots of f and lists the
// stable ones.
void ChooseFromRest(const AirPath& path, const Polynomial& f, const std::vector<Root>& roots,
                    StackPoint& point)
{
    auto inRange = [&path](double flow) {
        return path.windPressure == 0.0 ||
               std::fabs(Characteristic(path, flow / path.ductArea)) <= kLargestCharacteristic;
    };
    point.status = !StartsFromRest(f)            ? StackStatus::NoDraught
                   : roots.empty()               ? StackStatus::OutOfRange
                   : inRange(roots.front().flow) ? StackStatus::Found
                                                 : StackStatus::OutOfRange;
    for (std::size_t i = 0; i < roots.size() && point.count < point.flowsPerHour.size(); ++i) {
        const bool chosen = i == 0 && point.status == StackStatus::Found;
        if (chosen || (roots[i].falling && inRange(roots[i].flow)))
            point.flowsPerHour[point.count++] = roots[i].flow * 3600.0;
    }
    point.chosen = point.status == StackStatus::Found ? 0 : point.count;
    if (point.status != StackStatus::Found)
        return;
    const double flow = roots.front().flow;
    point.flowPerHour = flow * 3600.0;
    point.ductVelocity = flow / path.ductArea;
    // Without wind the ventilator develops nothing: +0, never -0.
    point.ventilatorSuction = path.windPressure > 0.0
                                  ? -Characteristic(path, point.ductVelocity) * path.windPressure
                                  : 0.0;
}

} // namespace

StackConditions DefaultStackConditions(const CalcState& state)
{
    StackConditions conditions;
    conditions.height = state.DuctLength;
    return conditions;
}

double AmbientStackPressure(bool densityTyped, double hectopascals)
{
    return densityTyped ? kStackPressure : hectopascals * 100.0;
}

std::string AmbientPressureLine(double pressure)
{
    if (pressure == kStackPressure)
        return {};
    return "Δps przy ciśnieniu p = " + FormatFixed(pressure, 1) + " [Pa]";
}

double StackAirDensity(double temperature, double pressure)
{
    return pressure / (kAirGasConstant * (temperature - kAbsoluteZero));
}

double StackPressure(const StackConditions& c)
{
    return kGravity * c.height *
           (StackAirDensity(c.outside, c.pressure) - StackAirDensity(c.inside, c.pressure));
}

Refusal CheckStackConditions(const StackConditions& c)
{
    if (!std::isfinite(c.inside) || !std::isfinite(c.outside) || !std::isfinite(c.height) ||
        !std::isfinite(c.underpressure) || !std::isfinite(c.pressure))
        return Refusal::NonFiniteInput;
    if (!(c.pressure > 0.0))
        return Refusal::WeatherPressure;
    if (c.underpressure < 0.0)
        return Refusal::Underpressure;
    if (!(c.inside > kAbsoluteZero) || !(c.outside > kAbsoluteZero))
        return Refusal::StackTemperature;
    if (const Refusal bounds = CheckLimits(
            {{Limited::OutdoorTemperature, c.outside}, {Limited::StackHeight, c.height}});
        bounds != Refusal::None)
        return bounds;
    if (!std::isfinite(StackPressure(c)))
        return Refusal::StackPressure;
    return Refusal::None;
}

OperatingPoint AsOperatingPoint(const StackPoint& stack)
{
    OperatingPoint p;
    p.status = stack.status == StackStatus::Found     ? OperatingPointStatus::Found
               : stack.status == StackStatus::Refused ? OperatingPointStatus::Refused
                                                      : OperatingPointStatus::NoOperatingPoint;
    p.refusal = stack.refusal;
    p.flowPerHour = stack.flowPerHour;
    p.ventilatorSuction = stack.ventilatorSuction;
    p.ductVelocity = stack.ductVelocity;
    p.count = stack.count;
    std::copy_n(stack.flowsPerHour.begin(), stack.count, p.flowsPerHour.begin());
    p.chosen = stack.chosen;
    return p;
}

std::string_view StackReason(const StackPoint& point)
{
    switch (point.status) {
    case StackStatus::Found:
        return {};
    case StackStatus::NoDraught:
        if (point.startPressure == 0.0)
            return "Ciśnienie napędzające jest zerowe przy zerowym przepływie i maleje, gdy "
                   "przepływ rośnie – powietrze nie ruszy w górę kanału. Sprawdź temperatury "
                   "ti i te: ciąg grawitacyjny wspomaga wywietrznik, gdy ti jest wyższa od te.";
        return "Ciśnienie napędzające jest ujemne przy zerowym przepływie – powietrze nie "
               "ruszy w górę kanału. Sprawdź temperatury ti i te: ciąg grawitacyjny wspomaga "
               "wywietrznik, gdy ti jest wyższa od te.";
    case StackStatus::OutOfRange:
        return "Brak punktu pracy: przepływ, do którego powietrze dochodzi od spoczynku, jest "
               "poza zakresem charakterystyki wywietrznika (|Cp| > 0.55).";
    case StackStatus::Refused:
        break;
    }
    return RefusalText(point.refusal);
}

std::vector<std::string> StackNotes(const StackPoint& point)
{
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < point.count && i < point.flowsPerHour.size(); ++i) {
        if (i != point.chosen)
            notes.push_back("Stan równowagi Qh = " + FormatFixed(point.flowsPerHour[i], 4) +
                            " [m3/h] utrzymuje się tylko wtedy, gdy przepływ już go osiągnął.");
    }
    if (point.scanDiffers)
        notes.push_back(point.scanFound ? "Obliczenia raportu (bez ciągu grawitacyjnego) podają "
                                          "Qh = " +
                                              FormatFixed(point.scanFlowPerHour, 4) + " [m3/h]."
                                        : "Obliczenia raportu (bez ciągu grawitacyjnego) nie "
                                          "znajdują punktu pracy.");
    return notes;
}

StackPoint EvaluateStackPoint(const CalcState& state, const VentilatorModel& model,
                              const StackConditions& conditions)
{
    StackPoint point;
    point.status = StackStatus::Refused;
    point.refusal = CheckStackConditions(conditions);
    const PreparedAirPath prepared = PrepareAirPath(state, model);
    if (point.refusal == Refusal::None)
        point.refusal = prepared.refusal;
    if (point.refusal != Refusal::None)
        return point;

    const AirPath& path = prepared.path;
    point.stackPressure = StackPressure(conditions);
    const Polynomial f = Balance(path, point.stackPressure - conditions.underpressure);
    point.startPressure = f.c[0];
    const std::vector<Root> roots = Roots(f);
    ChooseFromRest(path, f, roots, point);
    if (point.stackPressure == 0.0 && conditions.underpressure == 0.0)
        CompareWithScan(state, model, roots, point);
    return point;
}

RestFlow FlowFromRest(const AirPath& path, double driving)
{
    RestFlow rest;
    const Polynomial f = Balance(path, driving);
    if (!StartsFromRest(f))
        return rest;
    const std::vector<Root> roots = Roots(f);
    if (roots.empty()) {
        rest.inRange = false;
        return rest;
    }
    rest.flows = true;
    rest.flowPerHour = roots.front().flow * 3600.0;
    rest.inRange = path.windPressure == 0.0 ||
                   std::fabs(Characteristic(path, roots.front().flow / path.ductArea)) <=
                       kLargestCharacteristic;
    return rest;
}
