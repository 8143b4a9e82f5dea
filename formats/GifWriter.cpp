#include "GifWriter.h"

#include "Errors.h"
#include "FloydSteinberg.h"
#include "IndexRows.h"
#include "OctreeQuantizer.h"
#include "RowPipeline.h"

#include <exception>
#include <memory>
#include <optional>

#include <gif_lib.h>

namespace zorvic {

namespace {

constexpr int kMaxGifSide = 0xFFFF;

// giflib writes through this callback from C code, which an exception must not cross: the first
// failure is kept and raised once giflib has returned.
struct TGifSink {
    TOutputStream* stream = nullptr;
    std::exception_ptr failure;
};

int WriteToSink(GifFileType* gif, const GifByteType* data, int size) {
    auto* sink = static_cast<TGifSink*>(gif->UserData);
    if (sink->failure) return 0;
    try {
        sink->stream->Write(data, static_cast<std::size_t>(size));
        return size;
    } catch (...) {
        sink->failure = std::current_exception();
        return 0;
    }
}

// giflib's colour maps hold a power of two of entries, at least two.
int ColourMapSize(std::size_t colours) {
    int size = 2;
    while (static_cast<std::size_t>(size) < colours)
        size *= 2;
    return size;
}

using TColourMapPtr = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

TColourMapPtr MakeColourMap(const std::vector<TColor>& palette) {
    std::vector<GifColorType> colours(static_cast<std::size_t>(ColourMapSize(palette.size())),
                                      GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {static_cast<GifByteType>(RedOf(palette[i])),
                      static_cast<GifByteType>(GreenOf(palette[i])),
                      static_cast<GifByteType>(BlueOf(palette[i]))};
    TColourMapPtr map(GifMakeMapObject(static_cast<int>(colours.size()), colours.data()),
                      &GifFreeMapObject);
    if (!map) throw std::bad_alloc();
    return map;
}

// Below this many pixels a thread of its own costs more than the overlap saves.
constexpr long long kPipelinePixels = 1 << 18;

// Palette and rows of indices for the encoder: an indexed picture's own, or an optimised palette
// and error diffusion for any other, which for a large picture runs on a thread of its own while
// the encoder codes the rows before.
class TIndexedRows {
public:
    explicit TIndexedRows(const TBitmap& bitmap)
        : bitmap_(bitmap), row_(static_cast<std::size_t>(bitmap.Width())) {
        if (HasPalette(bitmap.PixelFormat())) {
            palette_ = bitmap.Palette();
            return;
        }
        palette_ = BuildOctreePalette(bitmap);
        ditherer_.emplace(bitmap, palette_);
        if (static_cast<long long>(bitmap.Width()) * bitmap.Height() >= kPipelinePixels)
            pipeline_.emplace(bitmap.Width(), bitmap.Height(),
                              [this](std::uint8_t* row) { ditherer_->MapNextRow(row); });
    }
    const std::vector<TColor>& Palette() const { return palette_; }
    const std::uint8_t* NextRow() {
        if (pipeline_) return pipeline_->NextRow();
        if (ditherer_)
            ditherer_->MapNextRow(row_.data());
        else
            UnpackIndices(bitmap_.ScanLine(y_++), bitmap_.Width(),
                          BitsPerPixel(bitmap_.PixelFormat()), row_.data());
        return row_.data();
    }

private:
    const TBitmap& bitmap_;
    std::vector<TColor> palette_;
    std::vector<std::uint8_t> row_;
    int y_ = 0;
    std::optional<TFloydSteinberg> ditherer_;
    // After the ditherer, which it uses: it stops before that goes.
    std::optional<TRowPipeline> pipeline_;
};

// Encodes the picture; returns giflib's error code, or 0 on success.
int Encode(GifFileType* gif, const TBitmap& bitmap, TIndexedRows& rows, const ColorMapObject* map) {
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
        return gif->Error;
    for (int y = 0; y < height; ++y) {
        // giflib reads the row without writing to it.
        if (EGifPutLine(gif, const_cast<GifPixelType*>(rows.NextRow()), width) == GIF_ERROR)
            return gif->Error;
    }
    return 0;
}

[[noreturn]] void ThrowGifError(int code) {
    const char* text = GifErrorString(code);
    throw EZorvicError(std::string("Cannot write the GIF picture: ") +
                       (text ? text : "unknown error"));
}

} // namespace

void WriteGifToStream(TOutputStream& stream, const TBitmap& bitmap) {
    if (bitmap.Empty()) throw EZorvicError("Cannot save an empty picture.");
    if (bitmap.Width() > kMaxGifSide || bitmap.Height() > kMaxGifSide)
        throw EZorvicError("A GIF picture can be at most 65535 pixels wide and high.");
    TIndexedRows rows(bitmap);
    const TColourMapPtr map = MakeColourMap(rows.Palette());

    TGifSink sink{&stream, nullptr};
    int error = 0;
    GifFileType* gif = EGifOpen(&sink, WriteToSink, &error);
    if (!gif) ThrowGifError(error);
    int encodeError = Encode(gif, bitmap, rows, map.get());
    // Closing writes the trailer and frees the encoder, on failure too.
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) == GIF_ERROR && encodeError == 0) encodeError = closeError;
    if (sink.failure) std::rethrow_exception(sink.failure);
    if (encodeError != 0) ThrowGifError(encodeError);
}

} // namespace zorvic
