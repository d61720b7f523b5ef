// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A Polish noun's three forms after a number: "1 kondygnacja", "2 kondygnacje",
// "5 kondygnacji".
struct PolishNoun {
    std::string_view one;  // 1
    std::string_view few;  // 2-4, 22-24, 32-34, ... (not 12-14)
    std::string_view many; // 0, 5-21, 25-31, ...
};

inline constexpr PolishNoun kStoreyNoun{"kondygnacja", "kondygnacje", "kondygnacji"};
inline constexpr PolishNoun kDuctNoun{"przewód", "przewody", "przewodów"};

// The form the noun takes after `count`.
constexpr std::string_view PluralForm(std::int64_t count, const PolishNoun& noun)
{
    const std::int64_t n = count < 0 ? -count : count;
    if (n == 1)
        return noun.one;
    const std::int64_t units = n % 10;
    const std::int64_t tens = n % 100;
    if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        return noun.few;
    return noun.many;
}

// "3 kondygnacje".
inline std::string Counted(std::int64_t count, const PolishNoun& noun)
{
    return std::to_string(count) + " " + std::string(PluralForm(count, noun));
}
