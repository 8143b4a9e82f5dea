#include "Filters.h"

#include "PixelHelpers.h"
#include "RowAccess.h"

#include <bit>
#include <cstring>
#include <utility>
#include <vector>

namespace zorvic {

void Mosaic(TBitmap& bmp, int size) {
    rows::Make24Bit(bmp);
    if (size <= 1 || bmp.Empty()) return;
    const int width = bmp.Width(), height = bmp.Height();
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    std::vector<std::uint8_t> blocks(rowBytes);
    rows::TRowRewrite rows(bmp);
    for (int top = 0; top < height; top += size) {
        // Row `top` holds every block's top-left pixel; build the block row once, then copy it.
        const std::uint8_t* source = rows.From[top];
        for (int x = 0; x < width; ++x)
            std::memcpy(&blocks[3 * static_cast<std::size_t>(x)], source + 3 * (x - x % size), 3);
        for (int y = top; y < height && y < top + size; ++y)
            std::memcpy(rows.To[y], blocks.data(), rowBytes);
    }
    rows.Commit();
}

void Sharpen(TBitmap& bmp, int amount) {
    rows::Make24Bit(bmp);
    const int bytes = 3 * bmp.Width();
    auto sharpen = [amount](int v, int u) { return ClampByte(v + ((v - u) * amount) / 100); };
    for (int y = 1; y < bmp.Height(); ++y) {
        // Row y - 1 is already sharpened: the effect carries down the picture.
        const std::uint8_t* above = bmp.ScanLine(y - 1);
        std::uint8_t* row = bmp.ScanLine(y);
        for (int i = 0; i < 3 && i < bytes; ++i)
            row[i] = static_cast<std::uint8_t>(sharpen(row[i], above[i]));
        for (int i = 3; i < bytes; ++i)
            row[i] = static_cast<std::uint8_t>(sharpen(row[i], above[i - 3]));
    }
}

void Neon(TBitmap& bmp, int amount) {
    rows::Make24Bit(bmp);
    const int width = bmp.Width(), height = bmp.Height();
    if (width < 3 || height < 3) return;
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    // Every output reads the original rows y - 1, y and y + 1; keep the two that have been
    // overwritten by then.
    std::vector<std::uint8_t> above(bmp.ScanLine(0), bmp.ScanLine(0) + rowBytes);
    std::vector<std::uint8_t> middle(rowBytes);
    const int a = amount;
    for (int y = 1; y < height - 1; ++y) {
        std::uint8_t* row = bmp.ScanLine(y);
        std::memcpy(middle.data(), row, rowBytes);
        const std::uint8_t* up = above.data();
        const std::uint8_t* mid = middle.data();
        const std::uint8_t* down = bmp.ScanLine(y + 1);
        for (std::size_t i = 3; i < rowBytes - 3; ++i) {
            const int vertical =
                a * (down[i - 3] + down[i] + down[i + 3]) - a * (up[i - 3] + up[i] + up[i + 3]);
            const int horizontal = a * (up[i - 3] + mid[i - 3] + down[i - 3]) -
                                   a * (up[i + 3] + mid[i + 3] + down[i + 3]);
            row[i] = static_cast<std::uint8_t>(IntMax(ClampByte(vertical), ClampByte(horizontal)));
        }
        std::swap(above, middle);
    }
}

void CopyAs24Bit(TBitmap& dest, const TBitmap& source) {
    dest = source;
    rows::Make24Bit(dest);
}

namespace {

// A row of the wrapped picture: one neighbour pixel on either side of a picture row.
void BuildPaddedRow(const std::uint8_t* row, int width, const std::uint8_t* left,
                    const std::uint8_t* right, std::uint8_t* out) {
    std::memcpy(out, left, 3);
    std::memcpy(out + 3, row, 3 * static_cast<std::size_t>(width));
    std::memcpy(out + 3 + 3 * static_cast<std::size_t>(width), right, 3);
}

class Convolution {
public:
    Convolution(const std::array<int, 9>& kernel, std::uint16_t divisor, TBitmap& bmp)
        : kernel_(kernel), divisor_(divisor == 0 ? 1 : divisor), width_(bmp.Width()),
          height_(bmp.Height()), row_(rows::Writable(bmp)) {
        int reach = 0;
        for (int k : kernel_)
            reach += k < 0 ? -k : k;
        narrow_ = reach <= 32767 / 255 && std::has_single_bit(divisor_);
    }

    std::size_t PaddedBytes() const { return 3 * static_cast<std::size_t>(width_ + 2); }

    // Picture row y with the wrapped columns at its ends; rows -1 and height are the wrapped
    // rows above and below, whose ends are the picture's own corners.
    void Padded(int y, std::uint8_t* out) const {
        const std::size_t last = 3 * static_cast<std::size_t>(width_ - 1);
        if (y < 0)
            BuildPaddedRow(row_[height_ - 1], width_, row_[0], row_[0] + last, out);
        else if (y >= height_)
            BuildPaddedRow(row_[0], width_, row_[height_ - 1], row_[height_ - 1] + last, out);
        else
            BuildPaddedRow(row_[y], width_, row_[y] + last, row_[y], out);
    }

    // Rows [first, end); `before` and `after` are the padded rows first - 1 and end, taken
    // before any band started writing.
    void Band(int first, int end, const std::uint8_t* before, const std::uint8_t* after) const {
        const std::size_t padded = PaddedBytes();
        std::vector<std::uint8_t> buffers(3 * padded);
        std::vector<int> sums(3 * static_cast<std::size_t>(width_));
        std::memcpy(buffers.data(), before, padded);
        std::uint8_t* up = buffers.data();
        std::uint8_t* mid = up + padded;
        std::uint8_t* down = mid + padded;
        Padded(first, mid);
        for (int y = first; y < end; ++y) {
            if (y + 1 == end)
                std::memcpy(down, after, padded);
            else
                Padded(y + 1, down);
            if (narrow_) {
                NarrowRow(up, mid, down, row_[y]);
            } else {
                SumRow(up, mid, down, sums.data());
                StoreRow(sums.data(), row_[y]);
            }
            std::uint8_t* reused = up;
            up = mid;
            mid = down;
            down = reused;
        }
    }

private:
    // Kernels whose sums always fit 16 bits, with a power-of-two divisor (the blur): the
    // compiler then works on twice as many channels per instruction.
    void NarrowRow(const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
                   std::uint8_t* out) const {
        const int k0 = kernel_[0], k1 = kernel_[1], k2 = kernel_[2], k3 = kernel_[3],
                  k4 = kernel_[4], k5 = kernel_[5], k6 = kernel_[6], k7 = kernel_[7],
                  k8 = kernel_[8];
        const int shift = std::countr_zero(divisor_);
        const auto bias = static_cast<std::int16_t>(divisor_ - 1);
        const int bytes = 3 * width_;
        for (int c = 0; c < bytes; ++c) {
            const auto s = static_cast<std::int16_t>(
                k0 * up[c] + k1 * up[c + 3] + k2 * up[c + 6] + k3 * mid[c] + k4 * mid[c + 3] +
                k5 * mid[c + 6] + k6 * down[c] + k7 * down[c + 3] + k8 * down[c + 6]);
            const auto q = static_cast<std::int16_t>((s + ((s >> 15) & bias)) >> shift);
            out[c] = static_cast<std::uint8_t>(q < 0 ? 0 : (q > 255 ? 255 : q));
        }
    }

    void SumRow(const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
                int* sums) const {
        const int k0 = kernel_[0], k1 = kernel_[1], k2 = kernel_[2], k3 = kernel_[3],
                  k4 = kernel_[4], k5 = kernel_[5], k6 = kernel_[6], k7 = kernel_[7],
                  k8 = kernel_[8];
        const int bytes = 3 * width_;
        for (int c = 0; c < bytes; ++c) {
            sums[c] = k0 * up[c] + k1 * up[c + 3] + k2 * up[c + 6] + k3 * mid[c] + k4 * mid[c + 3] +
                      k5 * mid[c + 6] + k6 * down[c] + k7 * down[c + 3] + k8 * down[c + 6];
        }
    }

    void StoreRow(const int* sums, std::uint8_t* out) const {
        const int bytes = 3 * width_;
        if (std::has_single_bit(divisor_)) {
            // Truncating division by a power of two, in a form the compiler can vectorise.
            const int shift = std::countr_zero(divisor_);
            const int bias = divisor_ - 1;
            for (int c = 0; c < bytes; ++c) {
                const int s = sums[c];
                out[c] = static_cast<std::uint8_t>(ClampByte((s + ((s >> 31) & bias)) >> shift));
            }
        } else {
            const int divisor = divisor_;
            for (int c = 0; c < bytes; ++c)
                out[c] = static_cast<std::uint8_t>(ClampByte(sums[c] / divisor));
        }
    }

    std::array<int, 9> kernel_;
    unsigned divisor_;
    bool narrow_ = false;
    int width_, height_;
    std::vector<std::uint8_t*> row_;
};

} // namespace

void Convolve3x3(const std::array<int, 9>& kernel, std::uint16_t divisor, TBitmap& bmp) {
    rows::Make24Bit(bmp);
    if (bmp.Empty()) return;
    const Convolution convolution(kernel, divisor, bmp);
    const int height = bmp.Height();
    const long long pixels = static_cast<long long>(bmp.Width()) * height;
    // The rows around each band's edges, saved before the other band overwrites them.
    const int middle = rows::SplitRow(height, pixels);
    const std::size_t padded = convolution.PaddedBytes();
    std::vector<std::uint8_t> edges(4 * padded);
    convolution.Padded(-1, &edges[0]);
    convolution.Padded(middle - 1, &edges[padded]);
    convolution.Padded(middle, &edges[2 * padded]);
    convolution.Padded(height, &edges[3 * padded]);
    rows::Split(height, pixels, [&](int first, int end) {
        convolution.Band(first, end, first == 0 ? &edges[0] : &edges[padded],
                         end == height ? &edges[3 * padded] : &edges[2 * padded]);
    });
}

} // namespace zorvic
