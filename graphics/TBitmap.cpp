#include "TBitmap.h"

#include "BmpFile.h"
#include "Errors.h"
#include "PixelMemory.h"
#include "TCanvas.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zorvic {

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit:
        return 1;
    case TPixelFormat::pf4bit:
        return 4;
    case TPixelFormat::pf8bit:
        return 8;
    case TPixelFormat::pf24bit:
        return 24;
    case TPixelFormat::pf32bit:
        return 32;
    }
    return 24;
}

bool HasPalette(TPixelFormat format) {
    return BitsPerPixel(format) <= 8;
}

int RowStride(int width, TPixelFormat format) {
    const long long bits = static_cast<long long>(width) * BitsPerPixel(format);
    return static_cast<int>((bits + 31) / 32 * 4);
}

namespace {

std::vector<TColor> MakeStandardSixteen() {
    return {clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
            clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
}

std::vector<TColor> MakeDefault8() {
    std::vector<TColor> table = MakeStandardSixteen();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(MakeColor(r * 51, g * 51, b * 51));
    // 256 - 16 - 216 = 24 greys between the cube's steps.
    for (int i = 1; i <= 24; ++i) {
        const int v = i * 255 / 25;
        table.push_back(MakeColor(v, v, v));
    }
    return table;
}

int IndexAt(const std::uint8_t* row, int x, int bits) {
    switch (bits) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default:
        return row[x];
    }
}

void SetIndexAt(std::uint8_t* row, int x, int bits, int index) {
    switch (bits) {
    case 1: {
        const int shift = 7 - (x & 7);
        row[x >> 3] =
            static_cast<std::uint8_t>((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & 0xF0) | (index & 0x0F));
        else
            row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
        break;
    default:
        row[x] = static_cast<std::uint8_t>(index);
    }
}

} // namespace

const std::vector<TColor>& DefaultPalette(TPixelFormat format) {
    static const std::vector<TColor> none;
    static const std::vector<TColor> mono{clBlack, clWhite};
    static const std::vector<TColor> sixteen = MakeStandardSixteen();
    static const std::vector<TColor> full = MakeDefault8();
    switch (format) {
    case TPixelFormat::pf1bit:
        return mono;
    case TPixelFormat::pf4bit:
        return sixteen;
    case TPixelFormat::pf8bit:
        return full;
    default:
        return none;
    }
}

int NearestPaletteIndex(const std::vector<TColor>& palette, TColor color) {
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = RedOf(palette[i]) - RedOf(color);
        const long dg = GreenOf(palette[i]) - GreenOf(color);
        const long db = BlueOf(palette[i]) - BlueOf(color);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

namespace {

// Rows whose byte count would not fit an int, or pictures beyond any real use, are refused
// before an allocation size can wrap around.
int CheckedStride(int width, int height, TPixelFormat format) {
    constexpr long long kLargestSide = 1 << 18;
    constexpr long long kLargestBytes = 1LL << 34;
    const long long stride = (static_cast<long long>(width) * BitsPerPixel(format) + 31) / 32 * 4;
    if (width > kLargestSide || height > kLargestSide || stride * height > kLargestBytes)
        throw EZorvicError(FormatMessage("A picture of %s x %s pixels is too large",
                                         {std::to_string(width), std::to_string(height)}));
    return static_cast<int>(stride);
}

} // namespace

struct TBitmap::Store {
    int width = 0;
    int height = 0;
    TPixelFormat format = TPixelFormat::pf24bit;
    int stride = 0;
    TPixelBuffer pixels;
    std::vector<TColor> palette;

    Store(int w, int h, TPixelFormat f)
        : width(w), height(h), format(f), stride(CheckedStride(w, h, f)),
          palette(DefaultPalette(f)) {
        const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(h);
        pixels = AllocatePixels(bytes);
        ClearRowEnds();
    }
    Store(const Store& other) : Store(other.width, other.height, other.format) {
        palette = other.palette;
        std::memcpy(pixels.get(), other.pixels.get(), ByteCount());
    }
    std::size_t ByteCount() const {
        return static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    }
    std::uint8_t* Row(int y) { return pixels.get() + static_cast<std::size_t>(stride) * y; }

    // The bytes after the last whole pixel of each row are written to files with the row, so they
    // are always defined, whoever fills the pixels; a byte shared by the last pixels of a 1- or
    // 4-bit row is cleared before they are written into it.
    void ClearRowEnds() {
        const std::size_t used = static_cast<std::size_t>(width) * BitsPerPixel(format) / 8;
        if (used == static_cast<std::size_t>(stride)) return;
        for (int y = 0; y < height; ++y)
            std::memset(Row(y) + used, 0, stride - used);
    }

    void FillWhite() {
        if (!HasPalette(format)) {
            std::memset(pixels.get(), 0xFF, ByteCount());
            return;
        }
        const int index = NearestPaletteIndex(palette, clWhite);
        const int bits = BitsPerPixel(format);
        std::uint8_t pattern = static_cast<std::uint8_t>(index);
        if (bits == 4)
            pattern = static_cast<std::uint8_t>(index << 4 | index);
        else if (bits == 1)
            pattern = index ? 0xFF : 0x00;
        std::memset(pixels.get(), pattern, ByteCount());
    }

    TColor ColorAt(int x, int y) const {
        const std::uint8_t* row = pixels.get() + static_cast<std::size_t>(stride) * y;
        switch (format) {
        case TPixelFormat::pf24bit:
            return MakeColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        case TPixelFormat::pf32bit:
            return MakeColor(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
        default: {
            const int index = IndexAt(row, x, BitsPerPixel(format));
            return index < static_cast<int>(palette.size()) ? palette[index] : clBlack;
        }
        }
    }

    void SetColorAt(int x, int y, TColor c) {
        std::uint8_t* row = Row(y);
        switch (format) {
        case TPixelFormat::pf24bit:
            row[3 * x] = static_cast<std::uint8_t>(BlueOf(c));
            row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(c));
            row[3 * x + 2] = static_cast<std::uint8_t>(RedOf(c));
            break;
        case TPixelFormat::pf32bit:
            row[4 * x] = static_cast<std::uint8_t>(BlueOf(c));
            row[4 * x + 1] = static_cast<std::uint8_t>(GreenOf(c));
            row[4 * x + 2] = static_cast<std::uint8_t>(RedOf(c));
            row[4 * x + 3] = 0;
            break;
        default:
            SetIndexAt(row, x, BitsPerPixel(format), NearestPaletteIndex(palette, c));
        }
    }
    // Fills this store with the picture of another of the same size in another format.
    void ConvertFrom(Store& from) {
        Store& to = *this;
        const int w = from.width;
        if (from.format == TPixelFormat::pf32bit && to.format == TPixelFormat::pf24bit) {
            for (int y = 0; y < from.height; ++y) {
                const std::uint8_t* s = from.Row(y);
                std::uint8_t* d = to.Row(y);
                for (int x = 0; x < w; ++x) {
                    d[3 * x] = s[4 * x];
                    d[3 * x + 1] = s[4 * x + 1];
                    d[3 * x + 2] = s[4 * x + 2];
                }
            }
            return;
        }
        if (from.format == TPixelFormat::pf24bit && to.format == TPixelFormat::pf32bit) {
            for (int y = 0; y < from.height; ++y) {
                const std::uint8_t* s = from.Row(y);
                std::uint8_t* d = to.Row(y);
                for (int x = 0; x < w; ++x) {
                    d[4 * x] = s[3 * x];
                    d[4 * x + 1] = s[3 * x + 1];
                    d[4 * x + 2] = s[3 * x + 2];
                    d[4 * x + 3] = 0;
                }
            }
            return;
        }
        for (int y = 0; y < from.height; ++y)
            for (int x = 0; x < w; ++x)
                to.SetColorAt(x, y, from.ColorAt(x, y));
    }
};

TBitmap::TBitmap() : TBitmap(0, 0) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format)
    : store_(std::make_shared<Store>(std::max(width, 0), std::max(height, 0), format)),
      canvas_(std::make_unique<TCanvas>(*this)) {
    store_->FillWhite();
}

TBitmap TBitmap::WithoutFill(int width, int height, TPixelFormat format) {
    TBitmap bitmap;
    bitmap.store_ = std::make_shared<Store>(std::max(width, 0), std::max(height, 0), format);
    return bitmap;
}

TBitmap::TBitmap(const TBitmap& other)
    : store_(other.store_), canvas_(std::make_unique<TCanvas>(*this)) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    store_ = other.store_;
    return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : store_(std::move(other.store_)), canvas_(std::move(other.canvas_)) {
    AdoptCanvas();
    other.store_ = std::make_shared<Store>(0, 0, TPixelFormat::pf24bit);
    other.canvas_ = std::make_unique<TCanvas>(other);
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    // Like a copy, a move hands over the picture only: this object's canvas state stays.
    std::swap(store_, other.store_);
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::AdoptCanvas() {
    canvas_->Rebind(*this);
}

int TBitmap::Width() const {
    return store_->width;
}
int TBitmap::Height() const {
    return store_->height;
}
TPixelFormat TBitmap::PixelFormat() const {
    return store_->format;
}
int TBitmap::Stride() const {
    return store_->stride;
}

void TBitmap::Detach() {
    if (store_.use_count() > 1) store_ = std::make_shared<Store>(*store_);
}

std::uint8_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= Height()) throw std::out_of_range("Scan line index out of range");
    Detach();
    return store_->Row(y);
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= Height()) throw std::out_of_range("Scan line index out of range");
    return store_->pixels.get() + static_cast<std::size_t>(store_->stride) * y;
}

const std::vector<TColor>& TBitmap::Palette() const {
    return store_->palette;
}

void TBitmap::SetPalette(std::vector<TColor> palette) {
    if (!HasPalette(PixelFormat())) return;
    palette.resize(std::size_t{1} << BitsPerPixel(PixelFormat()), clBlack);
    Detach();
    store_->palette = std::move(palette);
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kInvalidColor;
    return store_->ColorAt(x, y);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    Detach();
    store_->SetColorAt(x, y, color);
}

TCanvas& TBitmap::Canvas() {
    return *canvas_;
}

bool TBitmap::SharesPixelsWith(const TBitmap& other) const {
    return store_ == other.store_;
}

bool TBitmap::PixelsShared() const {
    return store_.use_count() > 1;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == PixelFormat()) return;
    auto converted = std::make_shared<Store>(Width(), Height(), format);
    converted->ConvertFrom(*store_);
    store_ = std::move(converted);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    auto resized = std::make_shared<Store>(width, height, PixelFormat());
    resized->palette = store_->palette;
    resized->FillWhite();
    const int rows = std::min(height, Height());
    const int columns = std::min(width, Width());
    const int bits = BitsPerPixel(PixelFormat());
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* from = store_->Row(y);
        std::uint8_t* to = resized->Row(y);
        if (bits >= 8)
            std::memcpy(to, from, static_cast<std::size_t>(columns) * (bits / 8));
        else
            for (int x = 0; x < columns; ++x)
                SetIndexAt(to, x, bits, IndexAt(from, x, bits));
    }
    store_ = std::move(resized);
}

void TBitmap::SaveToFile(const std::string& path) const {
    SaveBmpFile(*this, path);
}

void TBitmap::LoadFromFile(const std::string& path) {
    // A move assignment: the picture is replaced, the canvas state stays.
    *this = LoadBmpFile(path);
}

} // namespace zorvic
