// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/flat_balance.h"
#include "calc/schedule.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The table of flats as typed texts, read as the ducts' cells are: a number by
// the program's strict rule (a decimal comma counts), then the flat's bounds.
// Plain C++.

// The typed fields of a flat, in the order the table shows them.
enum class FlatField {
    Flat,
    Storey,
    Inlets,
    InletFlow,
    InletPressure,
    InletExponent,
    LeakFlow,
    LeakPressure,
    LeakExponent,
};
inline constexpr int kFlatFieldCount = 9;

// What a typed text makes of a flat: the flat with the value, or the reason
// why the text is refused (the flat then unchanged).
struct FlatCellRead {
    FlatSupply supply;
    std::string reason; // not empty: refused
};
// The bounds are those of the file's reader (CheckFlatSupply).
FlatCellRead ReadFlatCell(const FlatSupply& supply, FlatField field, std::string_view text);

// Two flats of one label on one storey would be one flat: the reason naming
// the first flat that repeats an earlier one, or empty.
std::string RepeatedFlat(const std::vector<FlatSupply>& flats);

// A flat renamed or moved to another storey takes its ducts with it: the rows
// of the flat `before` get the label and storey of `after`.
std::vector<ScheduleRow> RowsFollowingFlat(std::vector<ScheduleRow> rows, const FlatSupply& before,
                                           const FlatSupply& after);
