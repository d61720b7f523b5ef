// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Remarks put together from several reasons read as proper Polish sentences.

// The text with its first letter a capital ("bez wiatru…" → "Bez wiatru…").
std::string CapitalFirst(std::string text);
// The text with its first letter small, unless its first word is written in
// capitals ("Ciśnienie…" → "ciśnienie…"; "KALMO-200" stays).
std::string SmallFirst(std::string text);
// The text ending in one full stop (none added after ".", "!", "?" or "…").
std::string EndSentence(std::string text);
// `first` and `next` as two sentences: "A. B."; either may be empty.
std::string JoinSentences(const std::string& first, const std::string& next);
