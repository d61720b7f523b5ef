// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"

#include <string>
#include <string_view>

// The bounds of a schedule of exhaust ducts. Every value that a schedule keeps,
// used by its row or not, lies within the bound that calc/input_limits.h sets
// for its quantity, so that a row which a single run would refuse is refused
// in the schedule too. The schedule's window, its calculation (BuildRowInputs)
// and the reader of the calculation file all check through these two.

// The first value out of its bounds: the field as the calculation file names
// it ("WindSpeed", "Diameter", …) and the reason, one Polish sentence; both
// empty when every value can be built.
struct ScheduleRefusal {
    std::string_view field;
    std::string reason;
    bool Refused() const { return !reason.empty(); }
};

// The building: the air (the density typed, and the weather it may be
// computed from), the design wind, the storeys and the temperatures ti, te.
ScheduleRefusal CheckScheduleBuilding(const ScheduleBuilding& building);

// One row on its building (not checking the building itself): its label
// without control characters, its storey within 1..N, its room type and need,
// its duct, material and grilles, and its model.
ScheduleRefusal CheckScheduleRow(const ScheduleBuilding& building, const ScheduleRow& row);
