// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

// A text from the program's sources or from calc/ and report/ (UTF-8).
inline QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8);
}
