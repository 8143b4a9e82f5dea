#include "JpegWriter.h"

#include "Errors.h"
#include "IndexRows.h"
#include "JpegErrorTrap.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo is needed: pictures are fed to it as blue, green, red rows"
#endif

namespace zorvic {

namespace {

// Everything the encoding touches lives here, set up before the jump point: nothing with a
// destructor may be skipped by the jump out of libjpeg.
struct TJpegJob {
    jpeg_compress_struct info{};
    TJpegErrorTrap trap{};
    const TBitmap* bitmap = nullptr;
    int quality = 0;
    std::uint8_t* indexRow = nullptr;  // indexed pictures: one row of unpacked indices
    std::uint8_t* colourRow = nullptr; // indexed pictures: that row as blue, green, red
    unsigned char* output = nullptr;   // malloc'ed by libjpeg's memory destination
    unsigned long outputSize = 0;
};

// Rows handed to libjpeg per call.
constexpr int kRowsPerCall = 16;

void WriteDirectRows(TJpegJob& job) {
    const TBitmap& bitmap = *job.bitmap;
    JSAMPROW rows[kRowsPerCall];
    while (job.info.next_scanline < job.info.image_height) {
        const int top = static_cast<int>(job.info.next_scanline);
        const int count = std::min(kRowsPerCall, bitmap.Height() - top);
        // libjpeg reads the rows without writing to them.
        for (int i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(bitmap.ScanLine(top + i));
        jpeg_write_scanlines(&job.info, rows, static_cast<JDIMENSION>(count));
    }
}

void WriteExpandedRows(TJpegJob& job) {
    const TBitmap& bitmap = *job.bitmap;
    const std::vector<TColor>& palette = bitmap.Palette();
    const int bits = BitsPerPixel(bitmap.PixelFormat());
    for (int y = 0; y < bitmap.Height(); ++y) {
        UnpackIndices(bitmap.ScanLine(y), bitmap.Width(), bits, job.indexRow);
        std::uint8_t* to = job.colourRow;
        for (int x = 0; x < bitmap.Width(); ++x, to += 3) {
            const TColor colour =
                job.indexRow[x] < palette.size() ? palette[job.indexRow[x]] : clBlack;
            to[0] = static_cast<std::uint8_t>(BlueOf(colour));
            to[1] = static_cast<std::uint8_t>(GreenOf(colour));
            to[2] = static_cast<std::uint8_t>(RedOf(colour));
        }
        JSAMPROW row = job.colourRow;
        jpeg_write_scanlines(&job.info, &row, 1);
    }
}

// Returns false, with the trap's message set, when libjpeg reported an error.
bool EncodeOrFail(TJpegJob& job) {
    if (setjmp(job.trap.jump)) return false;
    jpeg_create_compress(&job.info);
    jpeg_mem_dest(&job.info, &job.output, &job.outputSize);
    const TBitmap& bitmap = *job.bitmap;
    job.info.image_width = static_cast<JDIMENSION>(bitmap.Width());
    job.info.image_height = static_cast<JDIMENSION>(bitmap.Height());
    // A 32-bit row goes in as it is: libjpeg skips the fourth byte, so the file equals the
    // 24-bit copy's.
    const bool fourBytes = bitmap.PixelFormat() == TPixelFormat::pf32bit;
    job.info.input_components = fourBytes ? 4 : 3;
    job.info.in_color_space = fourBytes ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&job.info);
    jpeg_set_quality(&job.info, job.quality, TRUE);
    // Huffman tables fitted to this picture instead of the standard ones: the same pixels in
    // fewer bytes (less than half on a mostly flat screen), for a second pass over the stored
    // coefficients.
    job.info.optimize_coding = TRUE;
    jpeg_start_compress(&job.info, TRUE);
    if (HasPalette(bitmap.PixelFormat()))
        WriteExpandedRows(job);
    else
        WriteDirectRows(job);
    jpeg_finish_compress(&job.info);
    return true;
}

} // namespace

void WriteJpegToStream(TOutputStream& stream, const TBitmap& bitmap, int quality) {
    if (quality < kMinJpegQuality || quality > kMaxJpegQuality)
        throw EZorvicError(FormatMessage("The JPEG quality must be between 1 and 100, not %s.",
                                         {std::to_string(quality)}));
    if (bitmap.Empty()) throw EZorvicError("Cannot save an empty picture.");

    std::vector<std::uint8_t> indexRow;
    std::vector<std::uint8_t> colourRow;
    if (HasPalette(bitmap.PixelFormat())) {
        indexRow.resize(static_cast<std::size_t>(bitmap.Width()));
        colourRow.resize(3 * static_cast<std::size_t>(bitmap.Width()));
    }
    TJpegJob job;
    job.info.err = jpeg_std_error(&job.trap.manager);
    job.trap.manager.error_exit = JumpOutOfLibjpeg;
    job.bitmap = &bitmap;
    job.quality = quality;
    job.indexRow = indexRow.data();
    job.colourRow = colourRow.data();

    const bool encoded = EncodeOrFail(job);
    jpeg_destroy_compress(&job.info);
    // The buffer outlives the compressor; freeing it is ours on both paths.
    std::unique_ptr<unsigned char, decltype(&std::free)> output(job.output, &std::free);
    if (!encoded) throw EZorvicError(job.trap.message);
    stream.Write(output.get(), job.outputSize);
}

} // namespace zorvic
