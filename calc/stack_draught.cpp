#include "calc/stack_draught.h"

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

// Every root of f in [0, inf): the turning points split it into monotone
// pieces, the last one ending at a bound on the roots (Cauchy's).
std::vector<double> Roots(const Polynomial& f)
{
    const int n = f.Degree();
    std::vector<double> roots;
    if (f.Value(0.0) == 0.0)
        roots.push_back(0.0);
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
        if (atHigh == 0.0)
            roots.push_back(high);
        else if ((atLow < 0.0) != (atHigh < 0.0) && atLow != 0.0)
            roots.push_back(Bisect(f, low, high));
    }
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    return roots;
}

// Without a stack pressure the equation is the calculation's own: its
// operating points, bit for bit, the lowest flow chosen.
StackPoint WindOnly(const CalcState& state, const VentilatorModel& model, const AirPath& path,
                    StackPoint point)
{
    const OperatingPoint wind = EvaluateOperatingPoint(state, model);
    if (wind.status != OperatingPointStatus::Found) {
        point.status = StackStatus::NoRoot;
        return point;
    }
    point.status = StackStatus::Found;
    point.count = std::min(wind.count, point.flowsPerHour.size());
    std::copy_n(wind.flowsPerHour.begin(), point.count, point.flowsPerHour.begin());
    if (wind.chosen == 0) {
        point.flowPerHour = wind.flowPerHour;
        point.ventilatorSuction = wind.ventilatorSuction;
        point.ductVelocity = wind.ductVelocity;
    } else {
        point.flowPerHour = point.flowsPerHour[0];
        point.ductVelocity = point.flowPerHour / 3600.0 / path.ductArea;
        point.ventilatorSuction = -Characteristic(path, point.ductVelocity) * path.windPressure;
    }
    return point;
}

} // namespace

StackConditions DefaultStackConditions(const CalcState& state)
{
    StackConditions conditions;
    conditions.height = state.DuctLength;
    return conditions;
}

double StackAirDensity(double temperature)
{
    return kStackPressure / (kAirGasConstant * (temperature - kAbsoluteZero));
}

double StackPressure(const StackConditions& c)
{
    return kGravity * c.height * (StackAirDensity(c.outside) - StackAirDensity(c.inside));
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
        return "Ciśnienie napędzające jest ujemne – powietrze nie popłynie w górę kanału "
               "(te wyższa od ti przy słabym wietrze).";
    case StackStatus::NoRoot:
        return "Brak punktu pracy: straty instalacji nie równoważą ciśnienia napędzającego "
               "w zakresie charakterystyki wywietrznika (|Cp| ≤ 0.55).";
    case StackStatus::Refused:
        break;
    }
    return RefusalText(point.refusal);
}

StackPoint EvaluateStackPoint(const CalcState& state, const VentilatorModel& model,
                              const StackConditions& conditions)
{
    StackPoint point;
    point.status = StackStatus::Refused;
    if (!std::isfinite(conditions.inside) || !std::isfinite(conditions.outside) ||
        !std::isfinite(conditions.height))
        point.refusal = Refusal::NonFiniteInput;
    else if (!(conditions.inside > kAbsoluteZero) || !(conditions.outside > kAbsoluteZero))
        point.refusal = Refusal::StackTemperature;
    else if (conditions.height < 0.0)
        point.refusal = Refusal::StackHeight;
    const PreparedAirPath prepared = PrepareAirPath(state, model);
    if (point.refusal == Refusal::None)
        point.refusal = prepared.refusal;
    if (point.refusal != Refusal::None)
        return point;

    const AirPath& path = prepared.path;
    point.stackPressure =
        kGravity * conditions.height *
        (StackAirDensity(conditions.outside) - StackAirDensity(conditions.inside));
    if (point.stackPressure == 0.0 && path.windPressure > 0.0)
        return WindOnly(state, model, path, point);
    const Polynomial f = Balance(path, point.stackPressure);
    for (double flow : Roots(f)) {
        const double cp = Characteristic(path, flow / path.ductArea);
        if (std::fabs(cp) <= kLargestCharacteristic && point.count < point.flowsPerHour.size())
            point.flowsPerHour[point.count++] = flow * 3600.0;
    }
    if (point.count == 0) {
        // At rest the loss is nil: what drives the flow there tells why none sets in.
        point.status = f.Value(0.0) < 0.0 ? StackStatus::NoDraught : StackStatus::NoRoot;
        return point;
    }
    const double flow = point.flowsPerHour[0] / 3600.0;
    point.status = StackStatus::Found;
    point.flowPerHour = point.flowsPerHour[0];
    point.ductVelocity = flow / path.ductArea;
    point.ventilatorSuction = -Characteristic(path, point.ductVelocity) * path.windPressure;
    return point;
}
