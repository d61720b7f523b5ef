// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What goes on which printed page, decided before anything is painted, so
// that every page can say "strona 2 z 16". Plain C++: the painters measure
// texts with their fonts and pass the measures in.

// The width of a text in any unit the caller measures in.
using TextWidth = std::function<double(std::string_view)>;

// The text broken into lines no wider than `limit`: at blanks where it can,
// inside a word (between UTF-8 characters) where a word alone is wider; a
// line break in the text always breaks. Never fewer than one line.
std::vector<std::string> WrapText(std::string_view text, double limit, const TextWidth& width);

// One piece of the printout, top to bottom: a line of text or a row of a table.
struct PrintBlock {
    double height = 0.0;
    bool tableRow = false;     // on a page, the table's header goes above its first row
    bool keepWithNext = false; // a heading: never the last block on its page
};

// The blocks [first, last) of one page.
struct PrintPage {
    std::size_t first = 0;
    std::size_t last = 0;
};

// True when block i is drawn with the table's header above it: the first
// row of the table on its page.
bool HeaderAbove(const std::vector<PrintBlock>& blocks, const PrintPage& page, std::size_t i);

// The blocks in pages of `pageHeight`, the header of `headerHeight` counted
// above the table's first row on every page; a block taller than a page gets
// a page of its own. At least one page.
std::vector<PrintPage> Paginate(const std::vector<PrintBlock>& blocks, double pageHeight,
                                double headerHeight);

// "strona 2 z 16".
std::string PageNumberText(std::size_t page, std::size_t count);
