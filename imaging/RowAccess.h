#pragma once
#include "PixelHelpers.h"
#include "TBitmap.h"

#include <cstdint>
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

// rowWork(row, row) over every row of bmp, made 24-bit, in place. With a progress report the
// rows run in order and report SetMax(height - 1) first and SetPosition(y) after row y;
// without one they may run on both cores.
template <class RowWork>
void ForEachRow(TBitmap& bmp, TProgress* progress, const RowWork& rowWork) {
    Make24Bit(bmp);
    const auto row = Writable(bmp);
    if (!progress) {
        Split(bmp.Height(), static_cast<long long>(bmp.Width()) * bmp.Height(),
              [&](int first, int end) {
                  for (int y = first; y < end; ++y)
                      rowWork(row[y], row[y]);
              });
        return;
    }
    progress->SetMax(bmp.Height() - 1);
    for (int y = 0; y < bmp.Height(); ++y) {
        rowWork(row[y], row[y]);
        progress->SetPosition(y);
    }
}

} // namespace zorvic::rows
