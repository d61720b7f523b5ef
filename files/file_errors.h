// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the program was doing with a file when the system refused.
enum class FileAccess { Read, Write };

// Why a system call on a file failed, in Polish, from its errno: the program's
// own texts, never the platform's English ones.
QString FileErrorText(int error, FileAccess access = FileAccess::Write);
