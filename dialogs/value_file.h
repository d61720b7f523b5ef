// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

class QLineEdit;

// The value files in which the input dialogs remember their numbers between
// runs: plain ASCII, one value a line, every line ended by "\n", in the current
// working directory.

// The longest line text that is kept; the rest of a longer line is skipped.
// Every number the program writes fits: the longest is the largest double in
// "%1.2f", 309 digits, the point and two decimals, with a minus sign.
inline constexpr std::size_t kValueLineLimit = 313;

// At most this many bytes of a value file are looked at, so that a file of
// absurd size cannot stall the start of the program.
inline constexpr std::size_t kValueFileReadLimit = 1 << 20;

// The texts of the first `count` lines of a value file, without their line ends
// (a CR directly before the LF is dropped, a last line without LF counts). Fewer
// texts when the file ends early; none when it is missing or not a plain file.
std::vector<std::string> ReadValueLines(const QString& fileName, std::size_t count);

// Puts line n of the file into field n. A field without a line keeps its text.
void LoadValueFile(const QString& fileName, std::initializer_list<QLineEdit*> fields);

// Replaces the file with the given lines, each followed by "\n", only ever
// whole and only when it is a regular file (ReplaceFile). On failure the old
// file stays as it was and the outcome says which file and why.
Outcome SaveValueFile(const QString& fileName, const std::vector<std::string>& lines);

// The value file of one dialog, a child of the dialog: it fills the dialog's
// fields when the dialog is created and is rewritten on every OK. A failed
// save does not stop the dialog; it is announced by SaveFailed, which the
// program shows on the main window's status line.
class DialogValueFile : public QObject {
    Q_OBJECT
public:
    DialogValueFile(const char* fileName, QObject* dialog);

    void Load(std::initializer_list<QLineEdit*> fields) const;
    void Save(const std::vector<std::string>& lines);

signals:
    void SaveFailed(const Outcome& outcome);

private:
    QString fileName_;
};
