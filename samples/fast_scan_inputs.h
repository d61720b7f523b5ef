// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Inputs on which the fast scan is compared with the full scan: ordinary
// calculations from calm to storm, and the families where a shortcut could go
// wrong. Shared by the differential test and the benchmark. Every input is
// reproducible from its seed and index alone.

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/inputs.h"
#include "calc/operating_point.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace scan_inputs {

// The same choice and every operating point, bit for bit.
inline bool Same(const ScanMatch& a, const ScanMatch& b)
{
    bool same = a.found == b.found && a.count == b.count && a.chosen == b.chosen &&
                std::bit_cast<std::uint64_t>(a.matched) == std::bit_cast<std::uint64_t>(b.matched);
    for (std::size_t i = 0; same && i < a.count; ++i)
        same = std::bit_cast<std::uint64_t>(a.matches[i]) ==
               std::bit_cast<std::uint64_t>(b.matches[i]);
    return same;
}

// splitmix64: small, fast and the same on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed)
    {
    }

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1p-53; } // [0, 1)
    double Uniform(double low, double high) { return low + (high - low) * Unit(); }
    double Decades(double low, double high) { return std::pow(10.0, Uniform(low, high)); }
    int Whole(int low, int high)
    {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Chance(double p) { return Unit() < p; }

private:
    std::uint64_t state_;
};

enum class Family {
    Ordinary,  // everyday inputs, calm to storm
    Steep,     // wide short ducts in strong wind: crossings between two scan points
    Tangent,   // a turning point of the distance near zero or near the tolerance
    Extreme,   // sizes, densities, winds and losses far outside practice
    Calm,      // no wind, or so little that the velocities leave the normal range
    Storm,     // wind just below where the inputs are refused
    Synthetic, // air paths built directly, with characteristics outside the catalogue
};
inline constexpr int kFamilyCount = 7;

inline std::string_view FamilyName(Family family)
{
    constexpr std::array<std::string_view, kFamilyCount> names = {
        "ordinary", "steep", "tangent", "extreme", "calm", "storm", "synthetic"};
    return names[static_cast<std::size_t>(family)];
}

struct ScanInput {
    std::uint64_t seed = 0;
    std::uint64_t index = 0;
    Family family = Family::Ordinary;
    CalcState state;       // the inputs, except for a synthetic path
    int model = 1;         // catalogue row, except for a synthetic path
    bool accepted = false; // PrepareAirPath accepted the inputs
    AirPath path;          // the path to scan when accepted
};

inline constexpr double kTolerance = 2e-6;

// The differential test's shard n uses the stream kDifferentialSeed + n; the
// benchmark times the start of stream 0.
inline constexpr std::uint64_t kDifferentialSeed = 20240601;

// The distance K - Cp(g s) as a cubic in s = sqrt(-K), for steering the
// generator only (the scans never use it).
struct DistanceCubic {
    double b[4] = {0, 0, 0, 0};
    double Value(double s) const { return ((b[3] * s + b[2]) * s + b[1]) * s + b[0]; }
};

inline DistanceCubic DistanceOf(const AirPath& p)
{
    const double g = std::sqrt(2.0 * p.windPressure / p.resistanceDensity) / p.ductArea;
    DistanceCubic d;
    d.b[0] = -p.coef[0];
    d.b[1] = -p.coef[1] * g;
    d.b[2] = -(1.0 + p.coef[2] * g * g);
    d.b[3] = -p.coef[3] * g * g * g;
    return d;
}

// The value of the distance at its turning point of the given kind (a maximum
// when `maximum`) inside the scan, if there is one.
inline bool TurningValue(const AirPath& p, bool maximum, double& value)
{
    const DistanceCubic d = DistanceOf(p);
    const double lowest = std::sqrt(0.005);
    const double highest = std::sqrt(0.55);
    // P'(s) = 3 b3 s^2 + 2 b2 s + b1 = 0
    const double a = 3.0 * d.b[3];
    const double b = 2.0 * d.b[2];
    const double c = d.b[1];
    double roots[2];
    int count = 0;
    if (a == 0.0) {
        if (b != 0.0)
            roots[count++] = -c / b;
    } else {
        const double discriminant = b * b - 4.0 * a * c;
        if (discriminant < 0.0)
            return false;
        roots[count++] = (-b - std::sqrt(discriminant)) / (2.0 * a);
        roots[count++] = (-b + std::sqrt(discriminant)) / (2.0 * a);
    }
    for (int r = 0; r < count; ++r) {
        const double s = roots[r];
        const double curvature = 6.0 * d.b[3] * s + 2.0 * d.b[2];
        if (s > lowest && s < highest && std::isfinite(s) && (curvature < 0.0) == maximum) {
            value = d.Value(s);
            return std::isfinite(value);
        }
    }
    return false;
}

inline void RandomWind(Random& r, CalcState& s)
{
    const double u = r.Unit();
    s.WindSpeed = u < 0.06 ? 0.0 : u < 0.3 ? r.Uniform(0.0, 5.0) : r.Uniform(0.0, 40.0);
    if (r.Chance(0.05))
        s.WindSpeed = -s.WindSpeed;
}

inline void RandomDuct(Random& r, CalcState& s, double smallest, double largest)
{
    if (r.Chance(0.7)) {
        s.DuctRound = true;
        ApplyRoundDuct(s, std::exp(r.Uniform(std::log(smallest), std::log(largest))));
    } else {
        s.DuctRound = false;
        ApplyRectangularDuct(s, std::exp(r.Uniform(std::log(smallest), std::log(largest))),
                             std::exp(r.Uniform(std::log(smallest), std::log(largest))));
    }
    s.DuctRoughness = kDuctMaterials[static_cast<std::size_t>(r.Whole(0, 5))].roughness;
}

inline void RandomHall(Random& r, CalcState& s, double longest)
{
    s.IsHall = true;
    s.InstallationType = Installation::Hall;
    const double length = r.Chance(0.2) ? r.Uniform(0.0, 5.0) : r.Uniform(0.0, longest);
    const double loss = r.Chance(0.8)
                            ? kHallInlets[static_cast<std::size_t>(r.Whole(0, 2))].lossCoefficient
                            : r.Uniform(-2.0, 5.0);
    ApplyHall(s, length, loss);
}

inline void RandomBuilding(Random& r, CalcState& s)
{
    s.IsHall = false;
    ApplyStoreys(s, r.Uniform(2.5, 4.0), r.Whole(1, 30));
    if (r.Chance(0.2))
        s.DuctLength = r.Uniform(0.0, 100.0);
    s.InstallationType = InstallationOfNumber(r.Whole(1, 3)).value_or(Installation::Hall);
    const double loss = r.Chance(0.1) ? r.Uniform(-3.0, 0.0) : r.Uniform(0.0, 40.0);
    switch (s.InstallationType) {
    case Installation::BuildingRectangular:
        ApplyRectangularGrille(s, r.Uniform(0.05, 1.0), r.Uniform(0.05, 1.0), loss);
        break;
    case Installation::BuildingRound:
        ApplyRoundGrille(s, r.Uniform(0.05, 1.0), loss);
        break;
    default:
        ApplyAdjustableGrille(s, kAdjustableGrilles[static_cast<std::size_t>(r.Whole(0, 4))],
                              r.Whole(-2, 22));
        break;
    }
}

inline CalcState OrdinaryState(Random& r)
{
    CalcState s;
    s.DensityEntered = true;
    s.AirDensity = r.Uniform(0.5, 1.5);
    RandomWind(r, s);
    RandomDuct(r, s, 0.05, 2.0);
    if (r.Chance(0.5))
        RandomHall(r, s, 100.0);
    else
        RandomBuilding(r, s);
    return s;
}

inline void Prepare(ScanInput& input)
{
    const PreparedAirPath prepared = PrepareAirPath(input.state, LookUpVentilator(input.model));
    input.accepted = prepared.refusal == Refusal::None;
    input.path = prepared.path;
}

// Moves the duct length until the chosen turning point of the distance sits at
// `target`, by bisection between lengths where it lies on either side.
inline bool SteerLength(ScanInput& input, bool maximum, double target, double longest)
{
    auto offset = [&](double length, double& value) {
        input.state.DuctLength = length;
        Prepare(input);
        if (!input.accepted || !TurningValue(input.path, maximum, value))
            return false;
        value -= target;
        return true;
    };
    double low = 0.0;
    double atLow = 0.0;
    bool haveLow = offset(0.0, atLow);
    double high = 0.0;
    bool bracketed = false;
    for (int k = 1; k <= 40 && !bracketed; ++k) {
        const double length = longest * (k / 40.0) * (k / 40.0);
        double value = 0.0;
        if (!offset(length, value)) {
            haveLow = false;
            continue;
        }
        if (haveLow && (atLow < 0.0) != (value < 0.0)) {
            high = length;
            bracketed = true;
        } else {
            low = length;
            atLow = value;
            haveLow = true;
        }
    }
    if (!bracketed)
        return false;
    for (int step = 0; step < 200 && low < high; ++step) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high)
            break;
        double value = 0.0;
        if (!offset(middle, value))
            return false;
        if ((atLow < 0.0) == (value < 0.0))
            low = middle;
        else
            high = middle;
    }
    input.state.DuctLength = low;
    return true;
}

inline void MakeTangent(Random& r, ScanInput& input)
{
    const double targets[] = {
        0.0,  kTolerance, -kTolerance,     0.5 * kTolerance, -0.5 * kTolerance,
        1e-9, -1e-9,      3.0 * kTolerance};
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (r.Chance(0.3)) {
            // Near the boundary between two meetings and none: model 1 in a
            // thin round hall duct with a rounded inlet.
            input.model = 1;
            input.state = CalcState{};
            input.state.DensityEntered = true;
            input.state.AirDensity = r.Uniform(0.9, 1.4);
            input.state.WindSpeed = r.Uniform(5.0, 15.0);
            input.state.DuctRound = true;
            ApplyRoundDuct(input.state, r.Uniform(0.08, 0.12));
            input.state.DuctRoughness =
                kDuctMaterials[static_cast<std::size_t>(r.Whole(0, 5))].roughness;
            input.state.IsHall = true;
            ApplyHall(input.state, 1.5, kHallInlets[2].lossCoefficient);
        } else {
            input.model = r.Whole(1, kVentilatorCount);
            input.state = OrdinaryState(r);
            if (r.Chance(0.8) && input.state.WindSpeed == 0.0)
                input.state.WindSpeed = r.Uniform(1.0, 40.0);
        }
        const double target =
            r.Chance(0.2) ? r.Uniform(-4.0, 4.0) * kTolerance : targets[r.Whole(0, 7)];
        if (!SteerLength(input, r.Chance(0.5), target, r.Chance(0.5) ? 10.0 : 100.0))
            continue;
        // Exactly there, or a little beside it.
        const int shift = r.Whole(0, 3);
        double& length = input.state.DuctLength;
        if (shift == 1)
            length *= 1.0 + (r.Chance(0.5) ? 1.0 : -1.0) * r.Decades(-16.0, -3.0);
        else if (shift == 2)
            length = std::nextafter(length, r.Chance(0.5) ? 0.0 : 1e300);
        Prepare(input);
        if (input.accepted)
            return;
    }
    input.model = r.Whole(1, kVentilatorCount);
    input.state = OrdinaryState(r);
}

inline void MakeSteep(Random& r, ScanInput& input)
{
    const int steep[] = {22, 25, 26, 27, 17, 16};
    input.model = r.Chance(0.5) ? steep[r.Whole(0, 5)] : r.Whole(1, kVentilatorCount);
    CalcState& s = input.state;
    s.DensityEntered = true;
    s.AirDensity = r.Uniform(0.5, 1.5);
    s.WindSpeed = r.Uniform(6.0, 40.0);
    RandomDuct(r, s, 0.25, 2.0);
    s.IsHall = true;
    ApplyHall(s, r.Uniform(0.0, 3.0),
              kHallInlets[static_cast<std::size_t>(r.Whole(0, 2))].lossCoefficient);
    if (r.Chance(0.2))
        s.LossCoefficient = r.Uniform(-0.5, 0.1);
}

inline void MakeExtreme(Random& r, ScanInput& input)
{
    input.model = r.Whole(1, kVentilatorCount);
    CalcState& s = input.state;
    s.DensityEntered = true;
    s.AirDensity = r.Decades(-4.0, 4.0);
    const int wind = r.Whole(0, 3);
    s.WindSpeed = wind == 0   ? r.Decades(-300.0, -1.0)
                  : wind == 1 ? r.Decades(-1.0, 3.0)
                              : r.Decades(3.0, 160.0);
    s.DuctRound = true;
    ApplyRoundDuct(s, r.Decades(-5.0, 3.0));
    s.DuctRoughness = kDuctMaterials[static_cast<std::size_t>(r.Whole(0, 5))].roughness;
    s.IsHall = r.Chance(0.5);
    s.DuctLength = r.Chance(0.1) ? 0.0 : r.Decades(-3.0, 5.0);
    s.LossCoefficient = r.Chance(0.2) ? r.Uniform(-1e3, 1e3) : r.Decades(-3.0, 6.0);
    s.GrilleArea = r.Decades(-6.0, 2.0);
    if (r.Chance(0.3)) {
        // A resistance just above zero: a negative inlet or grille loss that
        // almost cancels the rest of the path.
        s.LossCoefficient = 0.0;
        Prepare(input);
        if (!input.accepted)
            return;
        const double area = s.IsHall ? s.DuctArea : s.GrilleArea;
        s.LossCoefficient = -input.path.resistance * area * area * (1.0 - r.Decades(-15.0, -1.0));
    }
}

inline void MakeStorm(Random& r, ScanInput& input)
{
    input.model = r.Whole(1, kVentilatorCount);
    input.state = OrdinaryState(r);
    // The wind where the inputs start to be refused, by bisection on its decade.
    double low = 1.0;
    double high = 400.0;
    for (int step = 0; step < 80; ++step) {
        const double middle = 0.5 * (low + high);
        input.state.WindSpeed = std::pow(10.0, middle);
        Prepare(input);
        (input.accepted ? low : high) = middle;
    }
    input.state.WindSpeed = std::pow(10.0, low) * (r.Chance(0.5) ? 1.0 : r.Uniform(0.0, 1.0));
}

inline void MakeCalm(Random& r, ScanInput& input)
{
    input.model = r.Whole(1, kVentilatorCount);
    input.state = OrdinaryState(r);
    input.state.WindSpeed = r.Chance(0.5) ? 0.0 : r.Decades(-320.0, -3.0);
    if (r.Chance(0.2))
        input.state.WindSpeed = -input.state.WindSpeed;
}

// An air path with a characteristic outside the catalogue: any cubic, steep
// ones included, or one built from three chosen crossings.
inline void MakeSynthetic(Random& r, ScanInput& input)
{
    AirPath& p = input.path;
    p.windSpeed = r.Uniform(0.1, 40.0);
    p.windPressure = 0.6 * p.windSpeed * p.windSpeed;
    p.resistance = r.Decades(0.0, 6.0);
    p.resistanceDensity = p.resistance * r.Uniform(0.5, 1.5);
    p.ductArea = r.Decades(-3.0, 1.0);
    const double g = std::sqrt(2.0 * p.windPressure / p.resistanceDensity) / p.ductArea;
    if (r.Chance(0.4)) {
        // P(s) = -k (s - r1)(s - r2)(s - r3) with the roots inside the scan or
        // near it, and Cp(c) = -(c/g)^2 - P(c/g).
        const double lowest = std::sqrt(0.005);
        const double highest = std::sqrt(0.55);
        double roots[3];
        for (double& root : roots)
            root = r.Uniform(lowest - 0.02, highest + 0.02);
        if (r.Chance(0.3))
            roots[1] = roots[0] * (1.0 + r.Decades(-9.0, -3.0)); // two crossings close together
        const double k = (r.Chance(0.5) ? 1.0 : -1.0) * r.Decades(-3.0, 7.0);
        const double p0 = k * roots[0] * roots[1] * roots[2];
        const double p1 = -k * (roots[0] * roots[1] + roots[0] * roots[2] + roots[1] * roots[2]);
        const double p2 = k * (roots[0] + roots[1] + roots[2]);
        const double p3 = -k;
        p.coef[0] = -p0;
        p.coef[1] = -p1 / g;
        p.coef[2] = (-1.0 - p2) / (g * g);
        p.coef[3] = -p3 / (g * g * g);
    } else {
        // Scaled to the velocities of the scan; sometimes far steeper, and
        // then through a chosen crossing.
        const bool steep = r.Chance(0.3);
        const double scale = g * (steep ? r.Decades(-8.0, -2.0) : 1.0);
        for (int k = 1; k <= 3; ++k)
            p.coef[k] = r.Chance(0.15) ? 0.0 : r.Uniform(-2.0, 2.0) / std::pow(scale, k);
        p.coef[0] = r.Uniform(-0.6, 0.05);
        if (steep || r.Chance(0.3)) {
            const double s = r.Uniform(std::sqrt(0.005), std::sqrt(0.55));
            const double c = g * s;
            p.coef[0] = -s * s - ((p.coef[3] * c + p.coef[2]) * c + p.coef[1]) * c;
        }
    }
    // What PrepareAirPath demands of every path it accepts.
    const double top = TrialVelocity(p, kScanStart);
    const double bound = std::fabs(p.coef[0]) + std::fabs(p.coef[1]) * top +
                         std::fabs(p.coef[2]) * top * top + std::fabs(p.coef[3]) * top * top * top;
    input.accepted = std::isfinite(top) && bound <= 1e200;
}

inline std::uint64_t Mix(std::uint64_t value)
{
    Random r(value);
    return r.Next();
}

// Input number `index` of the stream `seed`.
inline ScanInput MakeScanInput(std::uint64_t seed, std::uint64_t index)
{
    Random r(Mix(seed) ^ Mix(~index));
    ScanInput input;
    input.seed = seed;
    input.index = index;
    const double u = r.Unit();
    input.family = u < 0.50   ? Family::Ordinary
                   : u < 0.62 ? Family::Steep
                   : u < 0.77 ? Family::Tangent
                   : u < 0.85 ? Family::Extreme
                   : u < 0.90 ? Family::Calm
                   : u < 0.95 ? Family::Storm
                              : Family::Synthetic;
    switch (input.family) {
    case Family::Ordinary:
        input.model = static_cast<int>(index % kVentilatorCount) + 1;
        input.state = OrdinaryState(r);
        break;
    case Family::Steep:
        MakeSteep(r, input);
        break;
    case Family::Tangent:
        MakeTangent(r, input);
        break;
    case Family::Extreme:
        MakeExtreme(r, input);
        break;
    case Family::Calm:
        MakeCalm(r, input);
        break;
    case Family::Storm:
        MakeStorm(r, input);
        break;
    case Family::Synthetic:
        MakeSynthetic(r, input);
        return input;
    }
    Prepare(input);
    return input;
}

// A number written so that reading it back gives the same double.
inline std::string Exact(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Everything needed to reproduce an input.
inline std::string Describe(const ScanInput& input)
{
    std::string text = "seed " + std::to_string(input.seed) + " index " +
                       std::to_string(input.index) + " (" + std::string(FamilyName(input.family)) +
                       ")";
    if (input.family != Family::Synthetic) {
        const CalcState& s = input.state;
        text += " model " + std::to_string(input.model) + (s.IsHall ? " hall" : " building") +
                " density " + Exact(s.AirDensity) + " wind " + Exact(s.WindSpeed) + " roughness " +
                Exact(s.DuctRoughness) + " diameter " + Exact(s.DuctDiameter) + " area " +
                Exact(s.DuctArea) + " length " + Exact(s.DuctLength) + " loss " +
                Exact(s.LossCoefficient) + " grille area " + Exact(s.GrilleArea);
    }
    const AirPath& p = input.path;
    text += "; path: pw " + Exact(p.windPressure) + " Rs " + Exact(p.resistance) + " Rs*Ro " +
            Exact(p.resistanceDensity) + " A " + Exact(p.ductArea) + " coef " + Exact(p.coef[0]) +
            " " + Exact(p.coef[1]) + " " + Exact(p.coef[2]) + " " + Exact(p.coef[3]);
    return text;
}

} // namespace scan_inputs
