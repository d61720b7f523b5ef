// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QByteArray>
#include <QString>

// Why the file named `path` cannot be read, in Polish, from the errno of the
// call that failed: as FileErrorText says it, except that a name given in
// another encoding than UTF-8 (it arrives with its bytes replaced, so that no
// file has it) is named as such rather than as missing.
QString ReadFailureText(int error, const QString& path);

// The whole content of the file at `path`, a pipe as well, or why it cannot
// a failure telling why it cannot be read (ReadFailureText).
Result<QByteArray> ReadWholeFile(const QString& path);
