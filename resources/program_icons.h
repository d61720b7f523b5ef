// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, built into the program.

// The program icon, in every size drawn (16 to 256 pixels).
QIcon ProgramIcon();

// The picture of the About box (the program icon at its 64-pixel size).
QPixmap AboutPicture();

// The glyphs of the four toolbar buttons, each with its normal and its
// disabled look.
enum class ToolGlyph { Print, PrintSetup, About, Exit };
QIcon ToolButtonIcon(ToolGlyph glyph);
