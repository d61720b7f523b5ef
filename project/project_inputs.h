// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "files/outcome.h"

#include <QString>

#include <cstdint>
#include <string_view>

// What the user entered for the calculation a state holds: the values and
// choices of the dialogs of its air, its duct and its installation. Everything
// else of the state (the duct area, the equivalent diameter, a building's duct
// length, the grille area, an adjustable grille's size and loss coefficient)
// is derived from them by the dialogs' own Apply* functions (calc/inputs.h).
struct EnteredInputs {
    CalcState values;         // the entered fields; the derived ones are unused
    std::int32_t grille = 0;  // adjustable grille 1..5; 0 when none was entered
    std::int32_t opening = 0; // its opening, 0..20 turns
};

// One entered field as a calculation file names it. `applies` tells from the
// fields before it whether the calculation has this field. It is the state's
// field of that name (calc/state_fields.h), or, when `own` is set, one of the
// entered inputs' own whole fields, bounded by `least` and `most`.
struct EnteredField {
    std::string_view name;
    bool (*applies)(const CalcState& values);
    std::int32_t EnteredInputs::*own = nullptr;
    std::int32_t least = 0;
    std::int32_t most = 0;
};
const EnteredField* EnteredFieldsBegin();
const EnteredField* EnteredFieldsEnd();

// Whether the field's number is whole, and then its bounds.
struct EnteredBounds {
    bool whole;
    std::int32_t least;
    std::int32_t most;
};
EnteredBounds BoundsOf(const EnteredField& field);

// The field's value as a double, and its setting to a number within its
// bounds.
double EnteredValue(const EnteredInputs& inputs, const EnteredField& field);
void SetEntered(EnteredInputs& inputs, const EnteredField& field, double value);

// The entered inputs of a state. An adjustable grille is found by its
// diameter and its opening by its loss coefficient; none when they match no
// grille of the dialog.
EnteredInputs EnteredOf(const CalcState& state);

// The state that the entered inputs give from a fresh start, through the
// dialogs' Apply* functions; the ventilator and the results are not set. A
// contradiction between the entered choices is refused with the reason in
// Polish.
Result<CalcState> DeriveState(const EnteredInputs& inputs);

// Why the derived fields that a file of the first format kept contradict the
// derivation from its entered fields: the duct area always, the others when
// the file holds results. Success when they agree.
Outcome CheckKeptDerivation(const CalcState& kept, const CalcState& derived);

// The entered values that only a dialog's list gives: the roughness of one of
// the materials and a hall inlet's loss coefficient. A roughness or a hall's
// loss coefficient of 0 stands for none chosen yet (not with results). The
// reason names the field.
Outcome CheckEnteredChoices(const CalcState& state);
