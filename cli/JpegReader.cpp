// JPEG input through libjpeg, which also writes the program's JPEG files.
#include "JpegErrorTrap.h"
#include "PictureInput.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace zorvic::input_detail {

namespace {

constexpr const char* kKind = "JPEG";

// libjpeg only warns about damaged data (a file cut short, bytes missing from a segment) and
// makes up the rest of the picture; such a file is refused instead.
void FailOnWarning(j_common_ptr info, int level) {
    if (level < 0) JumpOutOfLibjpeg(info);
}

// Everything the decoding touches, set up before the jump point.
struct TJpegReadJob {
    jpeg_decompress_struct info{};
    TJpegErrorTrap trap{};
    const TPictureFile* file = nullptr;
    TBitmap picture;
};

bool ReadHeader(TJpegReadJob& job) {
    if (setjmp(job.trap.jump)) return false;
    jpeg_create_decompress(&job.info);
    jpeg_mem_src(&job.info, job.file->bytes.data(),
                 static_cast<unsigned long>(job.file->bytes.size()));
    jpeg_read_header(&job.info, TRUE);
    // CMYK files would need a colour conversion of their own.
    if (job.info.jpeg_color_space == JCS_CMYK || job.info.jpeg_color_space == JCS_YCCK) {
        std::snprintf(job.trap.message, sizeof job.trap.message, "CMYK pictures are not supported");
        return false;
    }
    // Blue, green, red straight into the picture's rows; the library's accurate integer DCT.
    job.info.out_color_space = JCS_EXT_BGR;
    job.info.dct_method = JDCT_ISLOW;
    return true;
}

// Each block of 8 x 8 samples of each component takes at least one bit of a Huffman-coded
// file, for its DC difference.
void CheckSize(const TJpegReadJob& job) {
    double blocks = 0;
    for (int i = 0; i < job.info.num_components; ++i)
        blocks += static_cast<double>(job.info.comp_info[i].width_in_blocks) *
                  job.info.comp_info[i].height_in_blocks;
    const double pixels = static_cast<double>(job.info.image_width) * job.info.image_height;
    CheckDeclaredSize(job.file->path, kKind, job.info.image_width, job.info.image_height,
                      job.file->bytes.size(), blocks > 0 ? 8 * pixels / blocks : 0);
}

bool ReadRows(TJpegReadJob& job) {
    if (setjmp(job.trap.jump)) return false;
    jpeg_start_decompress(&job.info);
    while (job.info.output_scanline < job.info.output_height) {
        JSAMPROW row = job.picture.ScanLine(static_cast<int>(job.info.output_scanline));
        jpeg_read_scanlines(&job.info, &row, 1);
    }
    jpeg_finish_decompress(&job.info);
    return true;
}

} // namespace

TBitmap ReadJpeg(const TPictureFile& file) {
    TJpegReadJob job;
    job.info.err = jpeg_std_error(&job.trap.manager);
    job.trap.manager.error_exit = JumpOutOfLibjpeg;
    job.trap.manager.emit_message = FailOnWarning;
    job.file = &file;
    struct TCleanUp {
        TJpegReadJob& job;
        ~TCleanUp() { jpeg_destroy_decompress(&job.info); }
    } cleanUp{job};

    if (!ReadHeader(job)) ThrowInvalidPicture(file.path, kKind, job.trap.message);
    CheckSize(job);
    job.picture =
        TBitmap::WithoutFill(static_cast<int>(job.info.image_width),
                             static_cast<int>(job.info.image_height), TPixelFormat::pf24bit);
    if (!ReadRows(job)) ThrowInvalidPicture(file.path, kKind, job.trap.message);
    return std::move(job.picture);
}

} // namespace zorvic::input_detail
