#include "Adjustments.h"

#include "RowAccess.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zorvic {

namespace {

// Adding D to a channel and clamping only at the side D moves towards is the same as clamping
// to 0..255 on both sides, and any D beyond +-255 acts as +-255, so 16-bit lanes suffice. In place
// the loop reads and writes through one pointer, which vectorises without a check for overlap.
[[gnu::target_clones("avx2", "default")]] void
AddClamped(const std::uint8_t* from, std::uint8_t* to, const std::int16_t* delta, std::size_t n) {
    const auto add = [](int v, int d) {
        const int sum = v + d;
        return static_cast<std::uint8_t>(sum < 0 ? 0 : (sum > 255 ? 255 : sum));
    };
    if (from == to) {
        for (std::size_t i = 0; i < n; ++i)
            to[i] = add(to[i], delta[i]);
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        to[i] = add(from[i], delta[i]);
}

class ChannelAdder {
public:
    ChannelAdder(int width, int dr, int dg, int db) : deltas_(3 * static_cast<std::size_t>(width)) {
        const std::int16_t blue = Limit(db), green = Limit(dg), red = Limit(dr);
        for (std::size_t i = 0; i < deltas_.size(); i += 3) {
            deltas_[i] = blue;
            deltas_[i + 1] = green;
            deltas_[i + 2] = red;
        }
    }
    void operator()(const std::uint8_t* from, std::uint8_t* to) const {
        AddClamped(from, to, deltas_.data(), deltas_.size());
    }

private:
    static std::int16_t Limit(int d) { return static_cast<std::int16_t>(std::clamp(d, -255, 255)); }
    std::vector<std::int16_t> deltas_;
};

// The saturation tables: Alpha[i] = (i * Amount) shr 8 kept in 16 bits, and per channel sum s,
// Gray[s] = s div 3 - Alpha[s div 3].
class SaturationTables {
public:
    explicit SaturationTables(int amount) {
        for (int i = 0; i < 256; ++i)
            alpha_[i] = static_cast<std::uint16_t>(static_cast<std::uint32_t>(i * amount) >> 8);
        for (int s = 0; s < 768; ++s)
            gray_[s] = s / 3 - alpha_[s / 3];
    }
    void operator()(const std::uint8_t* from, std::uint8_t* to, int width) const {
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            const int b = from[0], g = from[1], r = from[2];
            const int grey = gray_[r + g + b];
            to[2] = static_cast<std::uint8_t>(ClampByte(grey + alpha_[r]));
            to[1] = static_cast<std::uint8_t>(ClampByte(grey + alpha_[g]));
            to[0] = static_cast<std::uint8_t>(ClampByte(grey + alpha_[b]));
        }
    }

private:
    std::array<std::uint16_t, 256> alpha_{};
    std::array<int, 768> gray_{};
};

} // namespace

void AdjustRGBTo(const TBitmap& src, TBitmap& dst, int dr, int dg, int db) {
    rows::ForEachRowTo(src, dst, ChannelAdder(src.Width(), dr, dg, db));
}

void AdjustRGB(TBitmap& bmp, int dr, int dg, int db, TProgress* progress) {
    rows::ForEachRow(bmp, progress, ChannelAdder(bmp.Width(), dr, dg, db));
}

void AdjustBrightnessTo(const TBitmap& src, TBitmap& dst, int amount) {
    rows::ForEachRowTo(src, dst, ChannelAdder(src.Width(), amount, amount, amount));
}

void AdjustBrightness(TBitmap& bmp, int amount, TProgress* progress) {
    rows::ForEachRow(bmp, progress, ChannelAdder(bmp.Width(), amount, amount, amount));
}

void AdjustContrast(TBitmap& bmp, int amount) {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        int result;
        if (amount > 0) {
            result = v >= 128 ? IntMin(255, v + amount / 2) : IntMax(0, v - amount / 2);
        } else {
            const int d = ((v > 127 ? v - 127 : 127 - v) * amount) / 255;
            result = ClampByte(v > 127 ? v + d : v - d);
        }
        table[v] = static_cast<std::uint8_t>(result);
    }
    const int bytes = 3 * bmp.Width();
    rows::ForEachRow(bmp, nullptr, [&](const std::uint8_t* from, std::uint8_t* to) {
        for (int i = 0; i < bytes; ++i)
            to[i] = table[from[i]];
    });
}

void AdjustSaturationTo(const TBitmap& src, TBitmap& dst, int amount) {
    const SaturationTables tables(amount);
    const int width = src.Width();
    rows::ForEachRowTo(
        src, dst, [&](const std::uint8_t* from, std::uint8_t* to) { tables(from, to, width); });
}

void AdjustSaturation(TBitmap& bmp, int amount, TProgress* progress) {
    if (progress) progress->SetPosition(0);
    const SaturationTables tables(amount);
    const int width = bmp.Width();
    rows::ForEachRow(bmp, progress,
                     [&](const std::uint8_t* from, std::uint8_t* to) { tables(from, to, width); });
}

} // namespace zorvic
