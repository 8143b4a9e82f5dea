// PNG input through libpng, the format's reference library.
#include "PictureInput.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>

#include <png.h>

namespace zorvic::input_detail {

namespace {

constexpr const char* kKind = "PNG";
// Deflate packs at most 1032 bytes into one: the rows, each with its filter byte, can be no more.
constexpr double kMostBytesPerByte = 1032;

struct TPngJob {
    const TPictureFile* file = nullptr;
    std::size_t position = 0;
    std::string error;
    png_structp png = nullptr;
    png_infop info = nullptr;
    TBitmap picture;
    std::vector<png_bytep> rows;
};

void ReadFromMemory(png_structp png, png_bytep into, png_size_t count) {
    auto* job = static_cast<TPngJob*>(png_get_io_ptr(png));
    const std::vector<std::uint8_t>& bytes = job->file->bytes;
    if (count > bytes.size() - job->position) png_error(png, "the file ends too early");
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(job->position), count, into);
    job->position += count;
}

[[noreturn]] void StoreErrorAndJump(png_structp png, png_const_charp message) {
    static_cast<TPngJob*>(png_get_error_ptr(png))->error = message;
    png_longjmp(png, 1);
}

// Chunks that libpng warns about and skips (an unknown colour profile, say) keep the picture
// readable; a damaged critical chunk is an error.
void IgnoreWarning(png_structp, png_const_charp) {}

std::uint32_t BigEndian32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
           static_cast<std::uint32_t>(at[2]) << 8 | at[3];
}

// The size is taken from the IHDR chunk, which the format puts right after the signature, before
// libpng reads on: the chunks between it and the pixel data may be missing already. A file too
// short for it, or with values no PNG has, is left to libpng's own checks.
void CheckSize(const TPictureFile& file) {
    constexpr std::size_t kHeaderEnd = 8 + 8 + 13;
    if (file.bytes.size() < kHeaderEnd || std::memcmp(file.bytes.data() + 12, "IHDR", 4) != 0)
        return;
    const std::uint8_t* header = file.bytes.data() + 16;
    const std::uint32_t width = BigEndian32(header);
    const std::uint32_t height = BigEndian32(header + 4);
    const int bitDepth = header[8];
    const int channels[] = {1, 0, 3, 1, 2, 0, 4}; // by colour type; 0: no such type
    const int colourType = header[9];
    if (colourType >= static_cast<int>(std::size(channels)) || channels[colourType] == 0) return;
    const double rowBytes =
        1 + (static_cast<double>(bitDepth) * channels[colourType] * width + 7) / 8;
    CheckDeclaredSize(file.path, kKind, width, height, file.bytes.size(),
                      width > 0 ? kMostBytesPerByte * width / rowBytes : 0);
}

// Reads the chunks up to the pixel data. These functions return false, with the job's error
// set, when libpng reported one.
bool ReadHeader(TPngJob& job) {
    if (setjmp(png_jmpbuf(job.png))) return false;
    png_set_read_fn(job.png, &job, ReadFromMemory);
    png_set_crc_action(job.png, PNG_CRC_DEFAULT, PNG_CRC_ERROR_QUIT);
    png_read_info(job.png, job.info);
    return true;
}

bool ReadRows(TPngJob& job) {
    if (setjmp(png_jmpbuf(job.png))) return false;
    // Whatever the kind of PNG: 8-bit blue, green, red; alpha is dropped, leaving the stored
    // colours, as ImageMagick's plain RGB output does; no gamma is applied.
    png_set_expand(job.png);
    png_set_scale_16(job.png);
    png_set_gray_to_rgb(job.png);
    png_set_strip_alpha(job.png);
    png_set_bgr(job.png);
    png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    png_read_image(job.png, job.rows.data());
    png_read_end(job.png, nullptr);
    return true;
}

} // namespace

TBitmap ReadPng(const TPictureFile& file) {
    TPngJob job;
    job.file = &file;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, StoreErrorAndJump, IgnoreWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    struct TCleanUp {
        TPngJob& job;
        ~TCleanUp() { png_destroy_read_struct(&job.png, &job.info, nullptr); }
    } cleanUp{job};
    if (!job.info) throw std::bad_alloc();

    CheckSize(file);
    if (!ReadHeader(job)) ThrowInvalidPicture(file.path, kKind, job.error);
    job.picture = TBitmap::WithoutFill(static_cast<int>(png_get_image_width(job.png, job.info)),
                                       static_cast<int>(png_get_image_height(job.png, job.info)),
                                       TPixelFormat::pf24bit);
    job.rows.resize(static_cast<std::size_t>(job.picture.Height()));
    for (int y = 0; y < job.picture.Height(); ++y)
        job.rows[static_cast<std::size_t>(y)] = job.picture.ScanLine(y);
    if (!ReadRows(job)) ThrowInvalidPicture(file.path, kKind, job.error);
    return std::move(job.picture);
}

} // namespace zorvic::input_detail
