#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// A picture decoded from JPEG data: rows of RGB bytes, three per pixel, top row
// first, no padding. A picture that could not be decoded has no pixels, zero
// size and the reason in `error`.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    std::string error;

    bool ok() const { return error.empty() && !rgb.empty(); }
};

// The largest picture the decoder accepts: no side above 4096 pixels and no
// more than 8 MiB of RGB bytes. Larger headers are refused before any pixel
// memory is taken.
inline constexpr int kMaxJpegSide = 4096;
inline constexpr std::size_t kMaxJpegRgbBytes = std::size_t{8} << 20;

// Decodes JPEG data held in memory with libjpeg. Corrupt, truncated, empty or
// oversized data give an error and an empty picture; a warning from libjpeg
// (a damaged stream it would otherwise patch over) counts as an error too.
DecodedPicture DecodeJpeg(std::span<const unsigned char> data);
