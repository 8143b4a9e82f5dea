// GIF input through giflib, which also writes the program's GIF files.
#include "PictureInput.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gif_lib.h>

namespace zorvic::input_detail {

namespace {

constexpr const char* kKind = "GIF";
// A code of the LZW data takes at least two bits and stands for at most 4096 pixels.
constexpr double kMostPixelsPerByte = 4096 * 8 / 2;

struct TGifSource {
    const TPictureFile* file;
    std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* into, int count) {
    auto* source = static_cast<TGifSource*>(gif->UserData);
    const std::size_t available = source->file->bytes.size() - source->position;
    const std::size_t taken = std::min(available, static_cast<std::size_t>(count));
    std::memcpy(into, source->file->bytes.data() + source->position, taken);
    source->position += taken;
    return static_cast<int>(taken);
}

class TGifFile {
public:
    explicit TGifFile(const TPictureFile& file) : source_{&file} {
        int error = 0;
        gif_ = DGifOpen(&source_, ReadFromMemory, &error);
        if (!gif_) Fail(error);
    }
    ~TGifFile() { DGifCloseFile(gif_, nullptr); }
    TGifFile(const TGifFile&) = delete;
    TGifFile& operator=(const TGifFile&) = delete;

    // Reads records up to the first picture's descriptor, passing over the extensions.
    void FindFirstPicture() {
        for (;;) {
            GifRecordType record = UNDEFINED_RECORD_TYPE;
            Check(DGifGetRecordType(gif_, &record));
            if (record == IMAGE_DESC_RECORD_TYPE) {
                Check(DGifGetImageDesc(gif_));
                return;
            }
            if (record == TERMINATE_RECORD_TYPE)
                ThrowInvalidPicture(source_.file->path, kKind, "it holds no picture");
            if (record == EXTENSION_RECORD_TYPE) SkipExtension();
        }
    }

    TBitmap ReadPicture() {
        const GifImageDesc& desc = gif_->Image;
        CheckDeclaredSize(source_.file->path, kKind, static_cast<std::uint64_t>(desc.Width),
                          static_cast<std::uint64_t>(desc.Height), source_.file->bytes.size(),
                          kMostPixelsPerByte);
        const ColorMapObject* colours = desc.ColorMap ? desc.ColorMap : gif_->SColorMap;
        if (!colours) ThrowInvalidPicture(source_.file->path, kKind, "it has no colour table");
        TBitmap picture = TBitmap::WithoutFill(desc.Width, desc.Height, TPixelFormat::pf24bit);
        std::vector<GifPixelType> indices(static_cast<std::size_t>(desc.Width));
        for (const int y : RowOrder(desc.Height, desc.Interlace)) {
            Check(DGifGetLine(gif_, indices.data(), desc.Width));
            std::uint8_t* to = picture.ScanLine(y);
            for (const GifPixelType index : indices) {
                // An index past the table is black, as the program's writers treat one.
                const GifColorType colour =
                    index < colours->ColorCount ? colours->Colors[index] : GifColorType{0, 0, 0};
                *to++ = colour.Blue;
                *to++ = colour.Green;
                *to++ = colour.Red;
            }
        }
        return picture;
    }

private:
    // Rows in the order the file holds them: top to bottom, or the four passes of an
    // interlaced picture.
    static std::vector<int> RowOrder(int height, bool interlaced) {
        std::vector<int> order;
        order.reserve(static_cast<std::size_t>(height));
        if (!interlaced) {
            for (int y = 0; y < height; ++y)
                order.push_back(y);
            return order;
        }
        constexpr int kStart[] = {0, 4, 2, 1};
        constexpr int kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < height; y += kStep[pass])
                order.push_back(y);
        return order;
    }

    void SkipExtension() {
        int code = 0;
        GifByteType* block = nullptr;
        Check(DGifGetExtension(gif_, &code, &block));
        while (block)
            Check(DGifGetExtensionNext(gif_, &block));
    }

    void Check(int result) {
        if (result != GIF_OK) Fail(gif_->Error);
    }

    [[noreturn]] void Fail(int error) {
        const char* reason =
            error == D_GIF_ERR_READ_FAILED ? "the file ends too early" : GifErrorString(error);
        ThrowInvalidPicture(source_.file->path, kKind, reason ? reason : "unreadable data");
    }

    TGifSource source_;
    GifFileType* gif_ = nullptr;
};

} // namespace

TBitmap ReadGif(const TPictureFile& file) {
    TGifFile gif(file);
    gif.FindFirstPicture();
    return gif.ReadPicture();
}

} // namespace zorvic::input_detail
