// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text that came from the user (a label, a line of a batch file) on its way
// into a file the program writes: no control character ever reaches the file
// as a raw byte, and no byte that is not UTF-8. Plain C++, shared by the CSV
// writer, the text tables and the command line.

#include <cstddef>
#include <string>
#include <string_view>

// A control character: U+0000–U+001F, U+007F and U+0080–U+009F.
bool IsControlCharacter(char32_t code);

// The text with every control character written as "\u" and four hexadecimal
// digits, as JSON writes it (a NUL is "\u0000", a tab "\u0009"), and every
// byte that is not part of UTF-8 replaced by U+FFFD "�".
std::string VisibleText(std::string_view text);

// JSON as Qt writes it (which escapes U+0000–U+001F itself) with DEL and the
// C1 control characters escaped too ("\u007f", "\u0085").
std::string VisibleJson(std::string_view json);

// What keeps a line of text from being taken as it is: the first byte that is
// not UTF-8, or the first control character other than a tab.
struct TextFault {
    enum class Kind { None, NotUtf8, Control };
    Kind kind = Kind::None;
    std::size_t at = 0; // the byte where it starts, from 0
    char32_t code = 0;  // the control character, or the byte that is not UTF-8
};
TextFault FirstTextFault(std::string_view text);
