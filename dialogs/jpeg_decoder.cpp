// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/jpeg_decoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

#include <fmt/format.h>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

// A progressive stream may carry any number of scans, and a stream made of
// thousands of tiny ones costs seconds to decode; a real picture needs a dozen.
constexpr int kMaxScans = 100;
// The working memory libjpeg may take for its whole-picture buffers.
constexpr long kMaxLibraryMemory = long{64} << 20;

// libjpeg's error manager with a way out: libjpeg's own one ends the process.
struct ErrorManager {
    jpeg_error_mgr pub; // first member: libjpeg sees only this part
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};
static_assert(std::is_standard_layout_v<ErrorManager>);

ErrorManager& ErrorsOf(j_common_ptr info)
{
    return *reinterpret_cast<ErrorManager*>(info->err);
}

// Every failure leaves through here, back to the setjmp of the stage running.
[[noreturn]] void LeaveWith(j_common_ptr info, const char* reason)
{
    ErrorManager& errors = ErrorsOf(info);
    std::snprintf(errors.message, sizeof errors.message, "%s", reason);
    std::longjmp(errors.jump, 1);
}

[[noreturn]] void OnError(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    LeaveWith(info, text);
}

// Level -1 is a warning about damaged data that libjpeg would patch over (a
// premature end, a broken entropy segment): such a picture is refused too.
// Trace messages (levels 1 and up) are ignored.
void OnMessage(j_common_ptr info, int level)
{
    if (level < 0)
        OnError(info);
}

void Silent(j_common_ptr) {}

void OnProgress(j_common_ptr info)
{
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        LeaveWith(info, "JPEG stream has too many scans");
}

// Owns libjpeg's decompression record; it is destroyed on every path.
class Decompressor {
public:
    Decompressor()
    {
        info.err = jpeg_std_error(&errors.pub);
        errors.pub.error_exit = OnError;
        errors.pub.emit_message = OnMessage;
        errors.pub.output_message = Silent;
        progress.progress_monitor = OnProgress;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); } // safe on a record never created
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
};

// The two stages below call libjpeg, which reports an error by a longjmp back
// to their setjmp. A longjmp skips destructors, so these functions keep only
// trivially destructible locals; everything owned lives in the caller.

// Reads the header and settles the output: RGB, or grey to be widened later.
bool ReadHeader(Decompressor& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.errors.jump) != 0)
        return false;
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = kMaxLibraryMemory;
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, data, size);
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        LeaveWith(reinterpret_cast<j_common_ptr>(&d.info), "JPEG stream holds no picture");
    switch (d.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d.info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        d.info.out_color_space = JCS_RGB;
        break;
    default:
        LeaveWith(reinterpret_cast<j_common_ptr>(&d.info), "unsupported JPEG colour space");
    }
    d.info.scale_num = 1;
    d.info.scale_denom = 1;
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

// Decodes every row into `pixels`, one row every `rowStride` bytes.
bool ReadRows(Decompressor& d, unsigned char* pixels, std::size_t rowStride)
{
    if (setjmp(d.errors.jump) != 0)
        return false;
    const JDIMENSION width = d.info.output_width;
    const JDIMENSION height = d.info.output_height;
    const int components = d.info.output_components;
    jpeg_start_decompress(&d.info);
    if (d.info.output_width != width || d.info.output_height != height ||
        d.info.output_components != components)
        LeaveWith(reinterpret_cast<j_common_ptr>(&d.info), "JPEG output size changed");
    while (d.info.output_scanline < height) {
        JSAMPROW row = pixels + std::size_t{d.info.output_scanline} * rowStride;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            LeaveWith(reinterpret_cast<j_common_ptr>(&d.info), "JPEG rows missing");
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

// A grey row decoded into the front of its RGB row, widened in place from the end.
void WidenGreyRows(std::vector<unsigned char>& rgb, std::size_t width, std::size_t height)
{
    for (std::size_t y = 0; y < height; ++y) {
        unsigned char* row = rgb.data() + y * width * 3;
        for (std::size_t x = width; x-- > 0;) {
            const unsigned char grey = row[x];
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = grey;
        }
    }
}

Failure Failed(std::string reason)
{
    return Failure{std::move(reason)};
}

} // namespace

Result<DecodedPicture> DecodeJpeg(std::span<const unsigned char> data)
{
    if (data.empty())
        return Failed("no JPEG data");
    if (data.size() > std::numeric_limits<unsigned long>::max())
        return Failed("JPEG data too long");

    Decompressor d;
    if (!ReadHeader(d, data.data(), static_cast<unsigned long>(data.size())))
        return Failed(d.errors.message);

    // The size the header claims is checked before any pixel memory is taken.
    const std::size_t width = d.info.output_width;
    const std::size_t height = d.info.output_height;
    if (width == 0 || height == 0)
        return Failed("JPEG picture has no pixels");
    if (width > kMaxJpegSide || height > kMaxJpegSide || width * height * 3 > kMaxJpegRgbBytes)
        return Failed(fmt::format("JPEG picture too large: {} x {} pixels", width, height));
    if (d.info.output_components != 1 && d.info.output_components != 3)
        return Failed("unsupported JPEG colour space");

    DecodedPicture picture;
    try {
        picture.rgb.resize(width * height * 3);
    } catch (const std::bad_alloc&) {
        return Failed("no memory for the JPEG picture");
    }
    if (!ReadRows(d, picture.rgb.data(), width * 3))
        return Failed(d.errors.message);
    if (d.info.output_components == 1)
        WidenGreyRows(picture.rgb, width, height);
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    return picture;
}
