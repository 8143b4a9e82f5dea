#include "PixelCopy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zorvic {

namespace {

// Source range [First, Last) of every visible destination position along one axis;
// First == Last where the source lies outside the source bitmap.
struct TAxisMap {
    int DestFirst = 0; // first visible destination position
    std::vector<int> First;
    std::vector<int> Last;
    int Size() const { return static_cast<int>(First.size()); }
};

TAxisMap MapAxis(long long destStart, long long destSize, int destLimit, long long sourceStart,
                 long long sourceSize, int sourceLimit, bool average) {
    TAxisMap map;
    const long long from = std::max<long long>(destStart, 0);
    const long long to = std::min<long long>(destStart + destSize, destLimit);
    map.DestFirst = static_cast<int>(from);
    for (long long d = from; d < to; ++d) {
        // 128 bits: offsets and sizes of full int range multiply past 64 bits.
        const __int128 i = d - destStart;
        long long first = sourceStart + static_cast<long long>(i * sourceSize / destSize);
        long long last = first + 1;
        if (average)
            last =
                std::max(last, sourceStart + static_cast<long long>(
                                                 ((i + 1) * sourceSize + destSize - 1) / destSize));
        first = std::clamp<long long>(first, 0, sourceLimit);
        last = std::clamp<long long>(last, first, sourceLimit);
        map.First.push_back(static_cast<int>(first));
        map.Last.push_back(static_cast<int>(last));
    }
    return map;
}

// The visible destination positions whose source lies inside the source bitmap: a single
// run, since the source positions grow with the destination positions.
struct TValidRun {
    int Begin = 0;
    int End = 0;
};

TValidRun ValidRun(const TAxisMap& map) {
    TValidRun run{0, map.Size()};
    while (run.Begin < run.End && map.First[run.Begin] == map.Last[run.Begin])
        ++run.Begin;
    while (run.End > run.Begin && map.First[run.End - 1] == map.Last[run.End - 1])
        --run.End;
    return run;
}

int BytesPerPixelOf(const TBitmap& bitmap) {
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf24bit:
        return 3;
    case TPixelFormat::pf32bit:
        return 4;
    default:
        return 0; // indexed
    }
}

struct TSum {
    std::uint64_t Blue = 0, Green = 0, Red = 0, Count = 0;
    void Add(TColor c) {
        Blue += BlueOf(c);
        Green += GreenOf(c);
        Red += RedOf(c);
        ++Count;
    }
    TColor Mean() const {
        const std::uint64_t half = Count / 2;
        return MakeColor(static_cast<int>((Red + half) / Count),
                         static_cast<int>((Green + half) / Count),
                         static_cast<int>((Blue + half) / Count));
    }
};

TColor CombineColor(TColor dest, TColor source, TCopyMode mode) {
    return mode == TCopyMode::SrcAnd ? (dest & source) : source;
}

// Any format on either side: colours through the bitmaps' own pixel access.
void CopyByColor(TBitmap& dest, const TBitmap& source, const TAxisMap& rows,
                 const TAxisMap& columns, TCopyMode mode) {
    for (int r = 0; r < rows.Size(); ++r) {
        const int y = rows.DestFirst + r;
        for (int c = 0; c < columns.Size(); ++c) {
            TSum sum;
            for (int sy = rows.First[r]; sy < rows.Last[r]; ++sy)
                for (int sx = columns.First[c]; sx < columns.Last[c]; ++sx)
                    sum.Add(source.GetPixel(sx, sy));
            if (sum.Count == 0) continue;
            const int x = columns.DestFirst + c;
            dest.SetPixel(x, y, CombineColor(dest.GetPixel(x, y), sum.Mean(), mode));
        }
    }
}

template <int SourceBytes, int DestBytes, bool And>
void CopyNearestDirect(TBitmap& dest, const TBitmap& source, const TAxisMap& rows,
                       const TAxisMap& columns) {
    std::vector<int> offsets(columns.Size());
    for (int c = 0; c < columns.Size(); ++c)
        offsets[c] = columns.First[c] < columns.Last[c] ? columns.First[c] * SourceBytes : -1;
    const std::size_t destOffset = static_cast<std::size_t>(columns.DestFirst) * DestBytes;
    const std::size_t rowBytes = static_cast<std::size_t>(columns.Size()) * DestBytes;
    const TValidRun valid = ValidRun(columns);
    // Reusing a finished row is only right when it has no untouched pixels.
    const bool reuseRows = !And && valid.Begin == 0 && valid.End == columns.Size();
    int previousSourceRow = -1;
    for (int r = 0; r < rows.Size(); ++r) {
        if (rows.First[r] == rows.Last[r]) {
            previousSourceRow = -1;
            continue;
        }
        const int y = rows.DestFirst + r;
        std::uint8_t* to = dest.ScanLine(y) + destOffset;
        // A repeated source row gives the same destination row: copy the one just made.
        if (reuseRows && rows.First[r] == previousSourceRow) {
            std::memcpy(to, dest.ScanLine(y - 1) + destOffset, rowBytes);
            continue;
        }
        previousSourceRow = rows.First[r];
        const std::uint8_t* from = source.ScanLine(rows.First[r]);
        for (int c = 0; c < columns.Size(); ++c, to += DestBytes) {
            if (offsets[c] < 0) continue;
            const std::uint8_t* s = from + offsets[c];
            if constexpr (And) {
                to[0] &= s[0];
                to[1] &= s[1];
                to[2] &= s[2];
            } else {
                to[0] = s[0];
                to[1] = s[1];
                to[2] = s[2];
            }
        }
    }
}

template <int SourceBytes, int DestBytes, bool And>
void CopyAverageDirect(TBitmap& dest, const TBitmap& source, const TAxisMap& rows,
                       const TAxisMap& columns) {
    const TValidRun valid = ValidRun(columns);
    if (valid.Begin == valid.End) return;
    // Each destination row first sums its source rows column by column, then each pixel sums
    // its columns of that: every source pixel is read once, in memory order.
    const int firstColumn = columns.First[valid.Begin];
    const int columnCount = columns.Last[valid.End - 1] - firstColumn;
    std::vector<std::uint32_t> columnSums(static_cast<std::size_t>(columnCount) * 3);
    for (int r = 0; r < rows.Size(); ++r) {
        if (rows.First[r] == rows.Last[r]) continue;
        std::fill(columnSums.begin(), columnSums.end(), 0);
        for (int sy = rows.First[r]; sy < rows.Last[r]; ++sy) {
            const std::uint8_t* s =
                source.ScanLine(sy) + static_cast<std::size_t>(firstColumn) * SourceBytes;
            std::uint32_t* sum = columnSums.data();
            for (int i = 0; i < columnCount; ++i, s += SourceBytes, sum += 3) {
                sum[0] += s[0];
                sum[1] += s[1];
                sum[2] += s[2];
            }
        }
        const std::uint64_t rowCount = static_cast<std::uint64_t>(rows.Last[r] - rows.First[r]);
        std::uint8_t* to = dest.ScanLine(rows.DestFirst + r) +
                           static_cast<std::size_t>(columns.DestFirst + valid.Begin) * DestBytes;
        for (int c = valid.Begin; c < valid.End; ++c, to += DestBytes) {
            std::uint64_t sum[3] = {0, 0, 0};
            for (int sx = columns.First[c]; sx < columns.Last[c]; ++sx) {
                const std::uint32_t* column = columnSums.data() + 3 * (sx - firstColumn);
                sum[0] += column[0];
                sum[1] += column[1];
                sum[2] += column[2];
            }
            const std::uint64_t count =
                rowCount * static_cast<std::uint64_t>(columns.Last[c] - columns.First[c]);
            for (int k = 0; k < 3; ++k) {
                const auto mean = static_cast<std::uint8_t>((sum[k] + count / 2) / count);
                to[k] = And ? static_cast<std::uint8_t>(to[k] & mean) : mean;
            }
        }
    }
}

// A 1:1 copy between equal direct formats: whole row segments at once.
void CopyRowsDirect(TBitmap& dest, const TBitmap& source, const TAxisMap& rows,
                    const TAxisMap& columns, int bytes) {
    const TValidRun valid = ValidRun(columns);
    if (valid.Begin == valid.End) return;
    const std::size_t destOffset =
        static_cast<std::size_t>(columns.DestFirst + valid.Begin) * bytes;
    const std::size_t sourceOffset = static_cast<std::size_t>(columns.First[valid.Begin]) * bytes;
    const std::size_t count = static_cast<std::size_t>(valid.End - valid.Begin) * bytes;
    for (int r = 0; r < rows.Size(); ++r) {
        if (rows.First[r] == rows.Last[r]) continue;
        std::memcpy(dest.ScanLine(rows.DestFirst + r) + destOffset,
                    source.ScanLine(rows.First[r]) + sourceOffset, count);
    }
}

template <int SourceBytes, int DestBytes>
void CopyDirect(TBitmap& dest, const TBitmap& source, const TAxisMap& rows, const TAxisMap& columns,
                bool average, TCopyMode mode) {
    const bool andMode = mode == TCopyMode::SrcAnd;
    if (average) {
        if (andMode)
            CopyAverageDirect<SourceBytes, DestBytes, true>(dest, source, rows, columns);
        else
            CopyAverageDirect<SourceBytes, DestBytes, false>(dest, source, rows, columns);
    } else if (andMode) {
        CopyNearestDirect<SourceBytes, DestBytes, true>(dest, source, rows, columns);
    } else {
        CopyNearestDirect<SourceBytes, DestBytes, false>(dest, source, rows, columns);
    }
}

} // namespace

void CopyPixels(TBitmap& dest, const TRect& destRect, const TBitmap& sourceIn,
                const TRect& sourceRect, TStretchMode stretch, TCopyMode mode) {
    const long long destWidth = static_cast<long long>(destRect.Right) - destRect.Left;
    const long long destHeight = static_cast<long long>(destRect.Bottom) - destRect.Top;
    const long long sourceWidth = static_cast<long long>(sourceRect.Right) - sourceRect.Left;
    const long long sourceHeight = static_cast<long long>(sourceRect.Bottom) - sourceRect.Top;
    if (destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;

    // Copying within one bitmap reads from a shared snapshot; the first write detaches.
    TBitmap snapshot;
    const TBitmap* source = &sourceIn;
    if (source == &dest) {
        snapshot = sourceIn;
        source = &snapshot;
    }
    const bool halftone = stretch == TStretchMode::Halftone;
    const TAxisMap columns = MapAxis(destRect.Left, destWidth, dest.Width(), sourceRect.Left,
                                     sourceWidth, source->Width(), halftone);
    const TAxisMap rows = MapAxis(destRect.Top, destHeight, dest.Height(), sourceRect.Top,
                                  sourceHeight, source->Height(), halftone);
    if (columns.Size() == 0 || rows.Size() == 0) return;

    const bool average = halftone && (sourceWidth > destWidth || sourceHeight > destHeight);
    const int sourceBytes = BytesPerPixelOf(*source);
    const int destBytes = BytesPerPixelOf(dest);
    if (sourceBytes == 0 || destBytes == 0) {
        CopyByColor(dest, *source, rows, columns, mode);
    } else if (sourceBytes == destBytes && sourceWidth == destWidth && !average &&
               mode == TCopyMode::SrcCopy) {
        CopyRowsDirect(dest, *source, rows, columns, destBytes);
    } else if (sourceBytes == 3) {
        if (destBytes == 3)
            CopyDirect<3, 3>(dest, *source, rows, columns, average, mode);
        else
            CopyDirect<3, 4>(dest, *source, rows, columns, average, mode);
    } else if (destBytes == 3) {
        CopyDirect<4, 3>(dest, *source, rows, columns, average, mode);
    } else {
        CopyDirect<4, 4>(dest, *source, rows, columns, average, mode);
    }
}

void CopyPixelsTransparent(TBitmap& dest, int x, int y, const TBitmap& source, TColor transparent) {
    const int firstColumn = std::max(0, -x);
    const int lastColumn = std::min(source.Width(), dest.Width() - x);
    const int firstRow = std::max(0, -y);
    const int lastRow = std::min(source.Height(), dest.Height() - y);
    for (int sy = firstRow; sy < lastRow; ++sy)
        for (int sx = firstColumn; sx < lastColumn; ++sx) {
            const TColor color = source.GetPixel(sx, sy);
            if (color != (transparent & 0xFFFFFF)) dest.SetPixel(x + sx, y + sy, color);
        }
}

} // namespace zorvic
