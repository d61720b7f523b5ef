// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sentence.h"

#include <array>
#include <string_view>

namespace {

struct LetterPair {
    std::string_view capital;
    std::string_view small;
};

// The Polish letters outside ASCII, each two bytes in UTF-8.
constexpr std::array<LetterPair, 9> kPolishLetters = {{{"Ą", "ą"},
                                                       {"Ć", "ć"},
                                                       {"Ę", "ę"},
                                                       {"Ł", "ł"},
                                                       {"Ń", "ń"},
                                                       {"Ó", "ó"},
                                                       {"Ś", "ś"},
                                                       {"Ź", "ź"},
                                                       {"Ż", "ż"}}};

bool Capital(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return false;
    if (text[at] >= 'A' && text[at] <= 'Z')
        return true;
    for (const LetterPair& pair : kPolishLetters) {
        if (text.substr(at, 2) == pair.capital)
            return true;
    }
    return false;
}

std::size_t LetterSize(std::string_view text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]) < 0x80 ? 1 : 2;
}

} // namespace

std::string CapitalFirst(std::string text)
{
    if (text.empty())
        return text;
    if (text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
        return text;
    }
    for (const LetterPair& pair : kPolishLetters) {
        if (text.compare(0, 2, pair.small) == 0)
            return text.replace(0, 2, pair.capital);
    }
    return text;
}

std::string SmallFirst(std::string text)
{
    if (!Capital(text, 0) || Capital(text, LetterSize(text, 0)))
        return text;
    if (text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
        return text;
    }
    for (const LetterPair& pair : kPolishLetters) {
        if (text.compare(0, 2, pair.capital) == 0)
            return text.replace(0, 2, pair.small);
    }
    return text;
}

std::string EndSentence(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (text.empty())
        return text;
    const char last = text.back();
    const bool ellipsis = text.size() >= 3 && text.compare(text.size() - 3, 3, "…") == 0;
    if (last != '.' && last != '!' && last != '?' && !ellipsis)
        text += '.';
    return text;
}

std::string JoinSentences(const std::string& first, const std::string& next)
{
    const std::string a = EndSentence(CapitalFirst(first));
    const std::string b = EndSentence(CapitalFirst(next));
    if (a.empty() || b.empty())
        return a + b;
    return a + " " + b;
}
