// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/page_layout.h"

#include <algorithm>

namespace {

// The length of the UTF-8 character that starts with `lead`.
std::size_t CharLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// A word wider than the line: as many characters a line as fit, at least one.
void BreakWord(std::string_view word, double limit, const TextWidth& width,
               std::vector<std::string>& lines)
{
    std::string line;
    for (std::size_t i = 0; i < word.size();) {
        const std::size_t n =
            std::min(CharLength(static_cast<unsigned char>(word[i])), word.size() - i);
        const std::string longer = line + std::string(word.substr(i, n));
        if (!line.empty() && width(longer) > limit) {
            lines.push_back(line);
            line = std::string(word.substr(i, n));
        } else {
            line = longer;
        }
        i += n;
    }
    lines.push_back(line);
}

// One paragraph without line breaks.
void WrapParagraph(std::string_view text, double limit, const TextWidth& width,
                   std::vector<std::string>& lines)
{
    std::string line;
    bool started = false;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view word = text.substr(at, end - at);
        at = end + 1;
        const std::string joined = started ? line + " " + std::string(word) : std::string(word);
        if (!started || width(joined) <= limit) {
            line = joined;
            started = true;
        } else {
            lines.push_back(line);
            line = std::string(word);
        }
        if (width(line) > limit) {
            BreakWord(line, limit, width, lines);
            line = lines.back();
            lines.pop_back();
        }
    }
    lines.push_back(line);
}

} // namespace

std::vector<std::string> WrapText(std::string_view text, double limit, const TextWidth& width)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = text.find('\n', at);
        WrapParagraph(text.substr(at, end == std::string_view::npos ? end : end - at), limit, width,
                      lines);
        if (end == std::string_view::npos)
            return lines;
        at = end + 1;
    }
}

bool HeaderAbove(const std::vector<PrintBlock>& blocks, const PrintPage& page, std::size_t i)
{
    return blocks[i].tableRow && (i == page.first || !blocks[i - 1].tableRow);
}

std::vector<PrintPage> Paginate(const std::vector<PrintBlock>& blocks, double pageHeight,
                                double headerHeight)
{
    std::vector<PrintPage> pages(1);
    double y = 0.0;
    // The height block i takes on the current page.
    auto taken = [&](std::size_t i) {
        return blocks[i].height + (HeaderAbove(blocks, pages.back(), i) ? headerHeight : 0.0);
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        double need = taken(i);
        if (blocks[i].keepWithNext && i + 1 < blocks.size())
            need += blocks[i + 1].height +
                    (blocks[i + 1].tableRow && !blocks[i].tableRow ? headerHeight : 0.0);
        if (i > pages.back().first && y + need > pageHeight) {
            pages.back().last = i;
            pages.push_back({i, i});
            y = 0.0;
        }
        y += taken(i);
    }
    pages.back().last = blocks.size();
    return pages;
}

std::string PageNumberText(std::size_t page, std::size_t count)
{
    return "strona " + std::to_string(page) + " z " + std::to_string(count);
}
