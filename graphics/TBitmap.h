#pragma once
#include "TColor.h"
#include "TPoint.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorvic {

class TCanvas;

enum class TPixelFormat : std::uint8_t { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat format);
bool HasPalette(TPixelFormat format);
// Bytes per row for a width, rounded up to four bytes as device-independent rows are.
int RowStride(int width, TPixelFormat format);

// A raster picture. Row 0 is the top row; a 24-bit pixel x occupies bytes 3x..3x+2 of its row as
// blue, green, red; a 32-bit pixel is blue, green, red and a spare byte. 1, 4 and 8 bits per pixel
// index a colour table, the leftmost pixel in the highest bits of its byte.
//
// Copying a bitmap copies the picture: both share one pixel store until either is written to
// (ScanLine without const, SetPixel, drawing, resizing). The canvas state (pen, brush, font) is
// not part of the picture and stays with each object.
class TBitmap {
public:
    TBitmap();
    // New pixels are white (the colour-table entry nearest white for indexed formats).
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    // For code that writes every pixel itself before any is read (a file decoder): the pixels
    // start undefined, which spares a whole-picture fill.
    static TBitmap WithoutFill(int width, int height, TPixelFormat format);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;
    ~TBitmap();

    int Width() const;
    int Height() const;
    bool Empty() const { return Width() == 0 || Height() == 0; }
    TPixelFormat PixelFormat() const;
    int Stride() const;

    // Converts in place, keeping the picture; a conversion to an indexed format maps every
    // pixel to the nearest entry of that format's default colour table.
    void SetPixelFormat(TPixelFormat format);
    // Resizing keeps the overlapping top-left part; uncovered pixels become white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }

    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    // Colour table of an indexed bitmap (2, 16 or 256 entries); empty for 24 and 32 bits.
    const std::vector<TColor>& Palette() const;
    void SetPalette(std::vector<TColor> palette);

    // Single pixels as colours; reads outside the picture give kInvalidColor, writes are ignored.
    static constexpr TColor kInvalidColor = 0xFFFFFFFF;
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    TCanvas& Canvas();

    // BMP files: the bitmap's own save and load.
    void SaveToFile(const std::string& path) const;
    void LoadFromFile(const std::string& path);

    bool SharesPixelsWith(const TBitmap& other) const;
    // Whether any other bitmap holds these pixels, so that the first write will copy them.
    bool PixelsShared() const;

private:
    struct Store;
    void Detach();
    void AdoptCanvas();

    std::shared_ptr<Store> store_;
    std::unique_ptr<TCanvas> canvas_;
};

// The default colour table of an indexed format: black and white for 1 bit, the sixteen
// standard colours for 4 bits, and for 8 bits the sixteen standard colours followed by a
// 6 x 6 x 6 colour cube and a grey ramp.
const std::vector<TColor>& DefaultPalette(TPixelFormat format);
// Index of the palette entry nearest to a colour (squared distance; the first of equals wins).
int NearestPaletteIndex(const std::vector<TColor>& palette, TColor color);

} // namespace zorvic
