// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/flat_balance.h"

#include "calc/number_format.h"
#include "calc/stack_draught.h"

#include <algorithm>
#include <cmath>

namespace {

// What no flat needs: a count, a flow or a pressure beyond it is a slip.
constexpr double kMostFlow = 1e6;     // [m3/h]
constexpr double kMostPressure = 1e4; // [Pa]
// The ducts' flow changing by more than this between two neighbouring
// doubles of pf is a jump [m3/h].
constexpr double kJump = 1e-4;

double Power(double flow, double reference, double exponent, double p)
{
    if (!(flow > 0.0) || !(p > 0.0))
        return 0.0;
    return flow * std::pow(p / reference, exponent);
}

double DuctsFlow(const std::vector<FlatDuct>& ducts, double underpressure)
{
    double sum = 0.0;
    for (const FlatDuct& duct : ducts)
        sum += DuctFlow(duct, underpressure);
    return sum;
}

// What drives a duct at rest in an open room: pf above it starts no flow.
double StartPressure(const FlatDuct& duct)
{
    return duct.stackPressure - duct.path.windPressure * duct.path.coef[0];
}

// A pf where no duct flows any more.
double AllStopped(const std::vector<FlatDuct>& ducts)
{
    double most = 0.0;
    for (const FlatDuct& duct : ducts)
        most = std::max(most, StartPressure(duct));
    return most + 1.0;
}

// Bisection of a falling `f` with f(low) >= 0 > f(high) down to neighbouring
// doubles; the bracket found.
template <typename F> std::pair<double, double> Bracket(F f, double low, double high)
{
    for (int step = 0; step < 400; ++step) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high)
            break;
        (f(middle) >= 0.0 ? low : high) = middle;
    }
    return {low, high};
}

FlatFault Fault(const char* field, std::string reason)
{
    return {field, std::move(reason)};
}

bool HasControl(const std::string& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool Exponent(double n)
{
    return n >= 0.5 && n <= 1.0;
}

} // namespace

FlatFault CheckFlatSupply(const FlatSupply& s)
{
    if (s.flat.empty())
        return Fault("Flat", "podaj oznaczenie mieszkania");
    if (HasControl(s.flat))
        return Fault("Flat", "oznaczenie mieszkania nie może zawierać znaków sterujących");
    if (s.storey < 1)
        return Fault("Storey", "kondygnacja mieszkania musi być co najmniej 1");
    if (s.inlets < 0 || s.inlets > kMostInlets)
        return Fault("Inlets", "liczba nawiewników musi być od 0 do " + FormatWhole(kMostInlets));
    if (!std::isfinite(s.inletFlow) || s.inletFlow < 0.0 || s.inletFlow > kMostFlow ||
        (s.inlets > 0 && s.inletFlow == 0.0))
        return Fault("InletFlow", "przepływ nawiewnika musi być dodatni (m3/h), gdy są nawiewniki");
    if (!std::isfinite(s.inletPressure) || !(s.inletPressure > 0.0) ||
        s.inletPressure > kMostPressure)
        return Fault("InletPressure", "ciśnienie odniesienia nawiewnika musi być dodatnie (Pa)");
    if (!Exponent(s.inletExponent))
        return Fault("InletExponent", "wykładnik nawiewnika musi być od 0.5 do 1");
    if (!std::isfinite(s.leakFlow) || s.leakFlow < 0.0 || s.leakFlow > kMostFlow)
        return Fault("LeakFlow", "przepływ przez nieszczelności nie może być ujemny (m3/h)");
    if (!std::isfinite(s.leakPressure) || !(s.leakPressure > 0.0) || s.leakPressure > kMostPressure)
        return Fault("LeakPressure", "ciśnienie odniesienia nieszczelności musi być dodatnie (Pa)");
    if (!Exponent(s.leakExponent))
        return Fault("LeakExponent", "wykładnik nieszczelności musi być od 0.5 do 1");
    return {};
}

double InletFlow(const FlatSupply& s, double p)
{
    return Power(s.inletFlow, s.inletPressure, s.inletExponent, p);
}

double LeakFlow(const FlatSupply& s, double p)
{
    return Power(s.leakFlow, s.leakPressure, s.leakExponent, p);
}

double SupplyFlow(const FlatSupply& s, double p, std::int32_t inlets)
{
    return inlets * InletFlow(s, p) + LeakFlow(s, p);
}

double DuctFlow(const FlatDuct& duct, double underpressure)
{
    return FlowFromRest(duct.path, duct.stackPressure - underpressure).flowPerHour;
}

FlatBalance SolveFlatBalance(const std::vector<FlatDuct>& ducts, const FlatSupply& supply,
                             std::int32_t inlets)
{
    FlatBalance balance;
    const double open = DuctsFlow(ducts, 0.0);
    if (open == 0.0)
        return balance; // nothing is drawn out: pf = 0
    const double top = AllStopped(ducts);
    if (SupplyFlow(supply, top, inlets) == 0.0) {
        balance.status = BalanceStatus::NoSupply;
        balance.underpressure = top - 1.0;
        return balance;
    }
    auto difference = [&](double pf) {
        return DuctsFlow(ducts, pf) - SupplyFlow(supply, pf, inlets);
    };
    const auto [low, high] = Bracket(difference, 0.0, top);
    const double atLow = difference(low), atHigh = difference(high);
    balance.underpressure = std::fabs(atLow) <= std::fabs(atHigh) ? low : high;
    balance.inflowPerHour = SupplyFlow(supply, balance.underpressure, inlets);
    const double residual = std::min(std::fabs(atLow), std::fabs(atHigh));
    if (residual > kJump + 1e-9 * balance.inflowPerHour)
        balance.status = BalanceStatus::Fold;
    return balance;
}

InletsNeeded NeededInlets(const std::vector<FlatDuct>& ducts, const std::vector<double>& needs,
                          const FlatSupply& supply)
{
    InletsNeeded needed;
    // The largest pf at which every duct still takes its need.
    double allowed = AllStopped(ducts);
    for (std::size_t i = 0; i < ducts.size(); ++i) {
        auto surplus = [&](double pf) { return DuctFlow(ducts[i], pf) - needs[i]; };
        if (surplus(0.0) < 0.0) {
            needed.shortDuct = i;
            return needed;
        }
        allowed = std::min(allowed, Bracket(surplus, 0.0, AllStopped(ducts)).first);
    }
    const double one = InletFlow(supply, allowed);
    const double missing = DuctsFlow(ducts, allowed) - LeakFlow(supply, allowed);
    if (missing <= 0.0) {
        needed.possible = true;
        return needed;
    }
    if (!(one > 0.0) || missing / one > kMostInlets) {
        needed.shortDuct = ducts.size();
        return needed;
    }
    needed.possible = true;
    needed.count = static_cast<std::int32_t>(std::ceil(missing / one - 1e-9));
    return needed;
}
