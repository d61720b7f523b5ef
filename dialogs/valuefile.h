#pragma once

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
// Every number the program writes (1e25 in "%1.2f" has 29 characters) fits.
inline constexpr std::size_t kValueLineLimit = 255;

// At most this many bytes of a value file are looked at, so that a file of
// absurd size cannot stall the start of the program.
inline constexpr std::size_t kValueFileReadLimit = 1 << 20;

// The texts of the first `count` lines of a value file, without their line ends
// (a CR directly before the LF is dropped, a last line without LF counts). Fewer
// texts when the file ends early; none when it is missing or not a plain file.
std::vector<std::string> ReadValueLines(const QString& fileName, std::size_t count);

// Puts line n of the file into field n. A field without a line keeps its text.
void LoadValueFile(const QString& fileName, std::initializer_list<QLineEdit*> fields);

// Replaces the file with the given lines, each followed by "\n". The file is
// either the old or the complete new one, never half written. False when it
// could not be written; nothing is reported to the user.
bool SaveValueFile(const QString& fileName, const std::vector<std::string>& lines);
