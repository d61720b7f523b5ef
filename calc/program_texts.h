// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts the program shows in more than one place, each written once here
// (UTF-8): the report, the comparison, the schedule, the sheet and the command
// line take them from this one home.

// A model whose characteristic never meets the duct's losses.
inline constexpr char kNoOperatingPointText[] = "brak punktu pracy";
// The message of a calculation without an operating point, as the report has it.
inline constexpr char kFailedCalculationText[] = "Niewłaściwe obliczenia!!!";
// A schedule row whose model the program chooses.
inline constexpr char kChooseModelText[] = "dobierz";
