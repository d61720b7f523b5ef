// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/polish_plural.h"
#include "calc/schedule.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Risers of the schedule and "jeden model w pionie". A riser is the rows whose
// labels share the name that "Dodaj pion" gives each storey a suffix to:
// "Kuchnia k1" … "Kuchnia k5" are the riser "Kuchnia". A label without that
// suffix names its riser whole. Plain C++.

// "Kuchnia", 3 → "Kuchnia k3": the label "Dodaj pion" gives storey k.
std::string StoreyLabel(std::string_view riser, std::int32_t storey);
// "Kuchnia k3" → "Kuchnia"; "Kuchnia" → "Kuchnia"; "Pion k" → "Pion k".
std::string RiserName(std::string_view label);

// The positions of the rows of each riser, the risers in the order of their
// first rows.
std::vector<std::vector<std::size_t>> Risers(const std::vector<ScheduleRow>& rows);

// One model for the "dobierz" rows of a riser, on the verdict's condition:
// the one that fails the fewest of those rows (none when a model meets every
// storey's need), ties to the smaller model in the order "dobierz" uses
// (nominal diameter, then the riser's total Qh, then number); 0 when no row.
struct RiserChoice {
    int model = 0;
    int failing = 0; // the rows that `model` leaves without their need
};
RiserChoice ChooseRiserModel(const std::vector<const RowResult*>& rows,
                             ScheduleCondition condition);

// With "jeden model w pionie" on: every riser of two or more "dobierz" rows
// computed in an open room gets its ChooseRiserModel; the rows' results,
// verdicts and remarks follow it. Rows with a model of their own keep it.
void ApplyRiserModels(const Schedule& schedule, std::vector<RowResult>& rows);

// "Budynek wymaga 2 modeli wywietrzników.": the distinct models on the bill
// and to be verified; empty when there is none.
inline constexpr PolishNoun kModelNoun{"modelu wywietrznika", "modeli wywietrzników",
                                       "modeli wywietrzników"};
std::string ModelCountLine(const ScheduleSummary& summary);
