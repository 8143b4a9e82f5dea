#pragma once
#include "PixelHelpers.h"
#include "TBitmap.h"

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

// Internal helpers of the pixel routines: row pointers gathered once, and splitting row work
// over the two cores for routines whose result does not depend on the visiting order.
namespace zorvic::rows {

inline void Make24Bit(TBitmap& bmp) {
    bmp.SetPixelFormat(TPixelFormat::pf24bit);
}

// Writable rows, taken on the calling thread: the first ScanLine may have to unshare the
// pixel store, which must not happen on two threads at once.
inline std::vector<std::uint8_t*> Writable(TBitmap& bmp) {
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(bmp.Height()));
    for (int y = 0; y < bmp.Height(); ++y)
        rows[static_cast<std::size_t>(y)] = bmp.ScanLine(y);
    return rows;
}

inline std::vector<const std::uint8_t*> Readable(const TBitmap& bmp) {
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(bmp.Height()));
    for (int y = 0; y < bmp.Height(); ++y)
        rows[static_cast<std::size_t>(y)] = bmp.ScanLine(y);
    return rows;
}

// Below this many pixels starting a thread costs more than it saves (the 180x180 previews).
inline constexpr long long kParallelPixels = 1 << 18;

// Where Split divides the rows: rowCount when it keeps them on one thread.
inline int SplitRow(int rowCount, long long pixels) {
    if (pixels < kParallelPixels || rowCount < 2 || std::thread::hardware_concurrency() < 2)
        return rowCount;
    return rowCount / 2;
}

// Runs work(firstRow, endRow) over [0, rowCount), in two halves on two threads when the picture
// is large. Only for work whose rows are independent of each other.
template <class Work> void Split(int rowCount, long long pixels, const Work& work) {
    const int middle = SplitRow(rowCount, pixels);
    if (middle == rowCount) {
        work(0, rowCount);
        return;
    }
    std::thread lower([&] { work(middle, rowCount); });
    work(0, middle);
    lower.join();
}

// rowWork(from, to) over every row of a 24-bit copy of src into dst, which takes src's size.
template <class RowWork>
void ForEachRowTo(const TBitmap& src, TBitmap& dst, const RowWork& rowWork) {
    TBitmap source = src; // shares the pixels unless it has to convert them
    Make24Bit(source);
    Make24Bit(dst);
    dst.SetSize(source.Width(), source.Height());
    const auto from = Readable(source);
    const auto to = Writable(dst);
    Split(source.Height(), static_cast<long long>(source.Width()) * source.Height(),
          [&](int first, int end) {
              for (int y = first; y < end; ++y)
                  rowWork(from[y], to[y]);
          });
}

// The rows of a routine that rewrites every row of a 24-bit picture: it reads From[y] and writes
// To[y]. They are the same rows when the picture has its pixels to itself. When another bitmap
// shares them (the editor's history keeps the picture as it was before each command), writing in
// place would first copy the whole picture; instead the result goes into new rows, written
// straight from the shared ones, and Commit installs it. The bytes padding each row to four are
// carried over, so that either way gives the same bytes.
class TRowRewrite {
public:
    explicit TRowRewrite(TBitmap& bmp) : bmp_(bmp) {
        if (!bmp.PixelsShared()) {
            To = Writable(bmp);
            From.assign(To.begin(), To.end());
            return;
        }
        result_ = TBitmap::WithoutFill(bmp.Width(), bmp.Height(), TPixelFormat::pf24bit);
        From = Readable(bmp);
        To = Writable(result_);
        const std::size_t rowBytes = 3 * static_cast<std::size_t>(bmp.Width());
        const std::size_t padding = static_cast<std::size_t>(bmp.Stride()) - rowBytes;
        for (std::size_t y = 0; y < To.size(); ++y)
            std::memcpy(To[y] + rowBytes, From[y] + rowBytes, padding);
    }
    void Commit() {
        if (!result_.Empty()) bmp_ = result_;
    }
    bool InPlace() const { return result_.Empty(); }

    std::vector<const std::uint8_t*> From;
    std::vector<std::uint8_t*> To;

private:
    TBitmap& bmp_;
    TBitmap result_;
};

// rowWork(from, to) over every row of bmp, made 24-bit, in place (see TRowRewrite), on both cores
// for a large picture. A progress report gets SetMax(height - 1) first and then SetPosition(y) for
// every row in order, always from the calling thread: live for the half it works itself, and for
// the other half once that is done too.
template <class RowWork>
void ForEachRow(TBitmap& bmp, TProgress* progress, const RowWork& rowWork) {
    Make24Bit(bmp);
    const int height = bmp.Height();
    const long long pixels = static_cast<long long>(bmp.Width()) * height;
    TRowRewrite rows(bmp);
    if (progress) progress->SetMax(height - 1);
    Split(height, pixels, [&](int first, int end) {
        // Byte loops vectorise only where the compiler knows that the bytes they store change
        // neither the work's own values (hence this copy of it, which nothing else can reach)
        // nor the rows they read, in part: in place, one pointer serves for both.
        const RowWork work = rowWork;
        for (int y = first; y < end; ++y) {
            if (rows.InPlace()) {
                std::uint8_t* row = rows.To[y];
                work(row, row);
            } else {
                work(rows.From[y], rows.To[y]);
            }
            if (progress && first == 0) progress->SetPosition(y);
        }
    });
    if (progress)
        for (int y = SplitRow(height, pixels); y < height; ++y)
            progress->SetPosition(y);
    rows.Commit();
}

} // namespace zorvic::rows
