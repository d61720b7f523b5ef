// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// The conversion of a dialog's edit field, with the meaning of the classic C
// library's atof and atol but independent of the locale: leading blanks are
// skipped, an optional sign and the longest prefix that forms a number are
// taken ("." is the decimal point), the rest of the text is ignored, and a text
// that does not start with a number gives 0. "inf", "nan" and hexadecimal
// numbers are not numbers here, as in the classic conversion.

// atof: a real number with optional fraction and exponent. A magnitude beyond
// the range of double gives an infinity, one below it gives zero.
double ConvertReal(std::string_view text);

// A dialog's real-valued field: as ConvertReal, but a comma where the number's
// decimal point would stand is read as that point, as Polish habits write it
// ("0,16" is 0.16, "4,5e-1" is 0.45, "1,2,3" is 1.2). Only the dialogs read
// numbers this way; value files are always written with a point.
double ConvertFieldReal(std::string_view text);

// atol: a whole number. A value beyond the 32-bit range saturates at its limit.
std::int32_t ConvertWhole(std::string_view text);

// The whole part of a number already checked as finite, as the command line,
// the batch and the calculation files read a whole-number field: 6e1 is 60,
// 20.7 is 20, -2.5 is -2. A value beyond the 32-bit range saturates at its limit.
std::int32_t WholePart(double value);
