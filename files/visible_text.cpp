// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/visible_text.h"

#include <array>

namespace {

// A UTF-8 sequence: its code point and its length in bytes; length 0 when the
// bytes at that place are not UTF-8 (a stray or missing continuation byte, an
// overlong form, a surrogate or a code point above U+10FFFF).
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};

Decoded Decode(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0U;
    };
    const unsigned first = byte(0);
    if (first < 0x80)
        return {first, 1};
    std::size_t length = 0;
    unsigned low = 0x80; // the range of the second byte
    unsigned high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        low = first == 0xE0 ? 0xA0 : 0x80;
        high = first == 0xED ? 0x9F : 0xBF;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {};
    }
    if (byte(1) < low || byte(1) > high)
        return {};
    char32_t code = first & (0x7FU >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0U) != 0x80U)
            return {};
        code = (code << 6) | (byte(i) & 0x3FU);
    }
    return {code, length};
}

// "\u00" and the code in two hexadecimal digits, small letters as Qt's JSON
// writes them.
std::string Escaped(char32_t code)
{
    const char* const digits = "0123456789abcdef";
    std::string text = "\\u00";
    text += digits[(code >> 4) & 0xFU];
    text += digits[code & 0xFU];
    return text;
}

} // namespace

bool IsControlCharacter(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

std::string VisibleText(std::string_view text)
{
    std::string visible;
    visible.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = Decode(text, at);
        if (d.length == 0)
            visible += "\xEF\xBF\xBD"; // U+FFFD
        else if (IsControlCharacter(d.code))
            visible += Escaped(d.code);
        else
            visible.append(text.substr(at, d.length));
        at += d.length == 0 ? 1 : d.length;
    }
    return visible;
}

std::string VisibleJson(std::string_view json)
{
    std::string visible;
    visible.reserve(json.size());
    for (std::size_t at = 0; at < json.size();) {
        const Decoded d = Decode(json, at);
        const std::size_t length = d.length == 0 ? 1 : d.length;
        if (d.length != 0 && d.code >= 0x7F && IsControlCharacter(d.code))
            visible += Escaped(d.code);
        else
            visible.append(json.substr(at, length));
        at += length;
    }
    return visible;
}

TextFault FirstTextFault(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = Decode(text, at);
        if (d.length == 0)
            return {TextFault::Kind::NotUtf8, at, static_cast<unsigned char>(text[at])};
        if (IsControlCharacter(d.code) && d.code != '\t')
            return {TextFault::Kind::Control, at, d.code};
        at += d.length;
    }
    return {};
}
