// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The windows of the program are laid out for "MS Sans Serif", 8 point. Where
// that face is missing (everywhere but old Windows), one substitute is chosen
// deliberately: DejaVu Sans Condensed has every Polish letter and stays close to
// the narrow original, so fixed-position texts keep their places.
inline constexpr const char* kProgramFontFamily = "MS Sans Serif";
inline constexpr const char* kProgramFontSubstitute = "DejaVu Sans Condensed";

// Registers the substitute; call once after the application object exists.
void InstallProgramFontSubstitute();

// "MS Sans Serif" at the given size (8 point for the windows, 12 on paper).
QFont ProgramFont(int pointSize = 8);
