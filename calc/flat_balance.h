// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"

#include <cstdint>
#include <string>
#include <vector>

// The air balance of a flat. What the flat's exhaust ducts take out must first
// come in, through the window trickle vents (inlets) and the leaks of windows
// and walls. The flat then sits at an underpressure pf >= 0 shared by all its
// ducts, and every duct is driven by dps - pf instead of dps.
//
// Supply      Q(pf) = inlets C_i pf^n_i + C_l pf^n_l  [m3/h],
//             C = Q_ref / p_ref^n from the maker's reference point.
// Balance     sum of the ducts' flows from rest at dps - pf = Q(pf).
// The ducts' sum does not rise with pf and the supply grows, so their
// difference falls: bisection on it cannot miss the balance. A duct whose
// dps - pf starts no upward flow counts as closed (air may come down it; it is
// not counted as supply). Where the ducts' sum jumps (a fold of the
// ventilator's characteristic) across the balance, there is no balance.

inline constexpr double kInletExponent = 0.5;
inline constexpr double kLeakExponent = 0.67;
inline constexpr double kBalanceTolerance = 1e-6; // [Pa]
inline constexpr std::int32_t kMostInlets = 10000;

struct FlatSupply {
    std::string flat;            // "M1"
    std::int32_t storey = 1;     // the flat's storey
    std::int32_t inlets = 0;     // how many inlets
    double inletFlow = 30.0;     // one inlet's flow [m3/h] ...
    double inletPressure = 10.0; // ... at this pressure difference [Pa]
    double inletExponent = kInletExponent;
    double leakFlow = 0.0;      // the leaks' flow [m3/h] (0: none) ...
    double leakPressure = 10.0; // ... at this pressure difference [Pa]
    double leakExponent = kLeakExponent;
    bool operator==(const FlatSupply&) const = default;
};

// The field of a flat at fault (its name in the file) and why, in Polish.
struct FlatFault {
    std::string field;
    std::string reason;
    bool Empty() const { return field.empty(); }
};
// Refuses what cannot be built: a negative or huge count, an inlet flow that
// is not positive with inlets, a leak flow below zero, an exponent outside
// 0.5..1, a reference pressure that is not positive, a value not finite, an
// empty flat label or one with a control character, a storey below 1.
FlatFault CheckFlatSupply(const FlatSupply& supply);

// One inlet's flow, the leaks' flow and the whole supply with `inlets` inlets
// at the pressure difference p [Pa] (p >= 0) [m3/h].
double InletFlow(const FlatSupply& supply, double p);
double LeakFlow(const FlatSupply& supply, double p);
double SupplyFlow(const FlatSupply& supply, double p, std::int32_t inlets);

// A duct of the flat: its air path and the draught that drives it in an open
// room (dps; 0 for the design wind alone).
struct FlatDuct {
    AirPath path;
    double stackPressure = 0.0;
};

// The duct's flow from rest at the flat's underpressure pf [m3/h]; 0 where no
// upward flow starts.
double DuctFlow(const FlatDuct& duct, double underpressure);

enum class BalanceStatus {
    Found,    // `underpressure` and `inflowPerHour` balance
    Fold,     // the ducts' flow jumps across the balance: no state balances
    NoSupply, // neither inlets nor leaks: the ducts stop, pf rises to the strongest's draught
};

struct FlatBalance {
    BalanceStatus status = BalanceStatus::Found;
    double underpressure = 0.0; // pf [Pa]
    double inflowPerHour = 0.0; // what comes in = what the ducts take [m3/h]
};

// The balance of the ducts with `inlets` inlets.
FlatBalance SolveFlatBalance(const std::vector<FlatDuct>& ducts, const FlatSupply& supply,
                             std::int32_t inlets);

// The smallest number of the flat's inlets with which every duct takes its
// need [m3/h], `needs` by duct. Not `possible` where a duct falls short even
// in an open flat (pf = 0), or where the inlet gives no flow.
struct InletsNeeded {
    bool possible = false;
    std::int32_t count = 0;
    std::size_t shortDuct = 0; // the duct that falls short when not possible
};
InletsNeeded NeededInlets(const std::vector<FlatDuct>& ducts, const std::vector<double>& needs,
                          const FlatSupply& supply);
