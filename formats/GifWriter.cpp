#include "GifWriter.h"

#include "Errors.h"
#include "FloydSteinberg.h"
#include "IndexRows.h"
#include "OctreeQuantizer.h"

#include <exception>
#include <memory>

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

// Encodes the picture; returns giflib's error code, or 0 on success.
int Encode(GifFileType* gif, TIndexedPicture& picture, const ColorMapObject* map) {
    if (EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) == GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_ERROR)
        return gif->Error;
    for (int y = 0; y < picture.height; ++y)
        if (EGifPutLine(gif, picture.indices.data() + static_cast<std::size_t>(y) * picture.width,
                        picture.width) == GIF_ERROR)
            return gif->Error;
    return 0;
}

[[noreturn]] void ThrowGifError(int code) {
    const char* text = GifErrorString(code);
    throw EZorvicError(std::string("Cannot write the GIF picture: ") +
                       (text ? text : "unknown error"));
}

} // namespace

TIndexedPicture IndexedPictureOf(const TBitmap& bitmap) {
    TIndexedPicture picture;
    picture.width = bitmap.Width();
    picture.height = bitmap.Height();
    if (HasPalette(bitmap.PixelFormat())) {
        picture.palette = bitmap.Palette();
        picture.indices.resize(static_cast<std::size_t>(picture.width) * picture.height);
        const int bits = BitsPerPixel(bitmap.PixelFormat());
        for (int y = 0; y < picture.height; ++y)
            UnpackIndices(bitmap.ScanLine(y), picture.width, bits,
                          picture.indices.data() + static_cast<std::size_t>(y) * picture.width);
        return picture;
    }
    picture.palette = BuildOctreePalette(bitmap);
    picture.indices = DitherToPalette(bitmap, picture.palette);
    return picture;
}

void WriteGifToStream(TOutputStream& stream, const TBitmap& bitmap) {
    if (bitmap.Empty()) throw EZorvicError("Cannot save an empty picture.");
    if (bitmap.Width() > kMaxGifSide || bitmap.Height() > kMaxGifSide)
        throw EZorvicError("A GIF picture can be at most 65535 pixels wide and high.");
    TIndexedPicture picture = IndexedPictureOf(bitmap);
    const TColourMapPtr map = MakeColourMap(picture.palette);

    TGifSink sink{&stream, nullptr};
    int error = 0;
    GifFileType* gif = EGifOpen(&sink, WriteToSink, &error);
    if (!gif) ThrowGifError(error);
    int encodeError = Encode(gif, picture, map.get());
    // Closing writes the trailer and frees the encoder, on failure too.
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) == GIF_ERROR && encodeError == 0) encodeError = closeError;
    if (sink.failure) std::rethrow_exception(sink.failure);
    if (encodeError != 0) ThrowGifError(encodeError);
}

} // namespace zorvic
