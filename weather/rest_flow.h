// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"
#include "calc/stack_draught.h"

#include <span>

// FlowFromRest (calc/stack_draught.h) of many air paths at once, with the
// same result bit for bit: the smallest root of g above 0 is bracketed as
// there, between the same turning points and the same bound, and bisected
// with the same steps, several paths side by side so that their steps
// overlap in the processor instead of waiting one for another. What the
// calculation there does, this must do too: a test compares them.

struct RestQuery {
    AirPath path;
    double driving = 0.0; // dps - pf [Pa]
};

// flows[i] = FlowFromRest(queries[i].path, queries[i].driving); the two
// spans have the same size. `vectors`: four paths to an instruction where the
// processor has AVX2 (the same result; false only to test the other way).
void FlowsFromRest(std::span<const RestQuery> queries, std::span<RestFlow> flows,
                   bool vectors = true);
