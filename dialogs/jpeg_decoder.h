// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"

#include <cstddef>
#include <span>
#include <vector>

// A picture decoded from JPEG data: rows of RGB bytes, three per pixel, top row
// first, no padding.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The largest picture the decoder accepts: no side above 4096 pixels and no
// more than 8 MiB of RGB bytes. Larger headers are refused before any pixel
// memory is taken.
inline constexpr int kMaxJpegSide = 4096;
inline constexpr std::size_t kMaxJpegRgbBytes = std::size_t{8} << 20;

// Decodes JPEG data held in memory with libjpeg. Corrupt, truncated, empty or
// oversized data fail with the reason; a warning from libjpeg (a damaged
// stream it would otherwise patch over) counts as a failure too.
Result<DecodedPicture> DecodeJpeg(std::span<const unsigned char> data);
