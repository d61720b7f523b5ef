// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <variant>

// The fields of the calculation state by the names that the calculation file
// and the command line's JSON give them, in the order the file writes them,
// grouped as the file groups them.
enum class FieldGroup { Inputs, Ventilator, Results };

// One field: its name, its member (whose type is its kind: a flag kept as 0
// or 1, an installation kept as 0..3, a whole number or a real one), and the
// bounds of the number kept for a field that is not real.
struct StateField {
    FieldGroup group;
    std::string_view name;
    std::variant<bool CalcState::*, Installation CalcState::*, std::int32_t CalcState::*,
                 double CalcState::*>
        member;
    std::int32_t least = std::numeric_limits<std::int32_t>::min();
    std::int32_t most = std::numeric_limits<std::int32_t>::max();

    // Every kind but a real number is kept as a whole number.
    bool Whole() const { return !std::holds_alternative<double CalcState::*>(member); }
};

// Every field of CalcState but VentilatorName, which follows VentilatorIndex.
std::span<const StateField> StateFields();

// The field of that name; nothing when the state has none.
const StateField* FindStateField(std::string_view name);

// The field's value as the file and the JSON keep it: a flag as 0 or 1, an
// installation as its number.
double FieldNumber(const CalcState& state, const StateField& field);

// Sets the field to the number the file or the JSON keeps. A whole field
// refuses a number with a fraction or outside its bounds: false, and the state
// stays as it was. A real field takes any number.
bool SetFieldNumber(CalcState& state, const StateField& field, double number);

// Copies the field's value from one state to another.
void CopyField(CalcState& to, const CalcState& from, const StateField& field);
