// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "gui_test_support.h"
#include "sample_states.h"
