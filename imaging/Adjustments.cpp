#include "Adjustments.h"

#include "RowAccess.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zorvic {

namespace {

// A channel plus D, clamped to 0..255, is the channel raised by D with saturation when D is
// positive and lowered by -D with saturation when it is negative; any D beyond +-255 acts as
// +-255. So each byte is raised by one amount and lowered by another, one of them 0, and the
// whole row goes through byte-wide saturating arithmetic. In place the loop reads and writes
// through one pointer, which vectorises without a check for overlap.
[[gnu::target_clones("avx2", "default")]] void
AddClamped(const std::uint8_t* from, std::uint8_t* to, const std::uint8_t* raise,
           const std::uint8_t* lower, std::size_t n) {
    const auto add = [](std::uint8_t v, std::uint8_t up, std::uint8_t down) {
        const auto raised = static_cast<std::uint8_t>(v + up);
        const std::uint8_t high = raised < v ? 255 : raised; // it wrapped past 255
        const auto lowered = static_cast<std::uint8_t>(high - down);
        return lowered > high ? std::uint8_t{0} : lowered; // it wrapped below 0
    };
    if (from == to) {
        for (std::size_t i = 0; i < n; ++i)
            to[i] = add(to[i], raise[i], lower[i]);
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        to[i] = add(from[i], raise[i], lower[i]);
}

class ChannelAdder {
public:
    ChannelAdder(int width, int dr, int dg, int db)
        : raise_(3 * static_cast<std::size_t>(width)), lower_(raise_.size()) {
        const int deltas[3] = {Limit(db), Limit(dg), Limit(dr)};
        for (std::size_t i = 0; i < raise_.size(); ++i) {
            const int delta = deltas[i % 3];
            raise_[i] = static_cast<std::uint8_t>(delta > 0 ? delta : 0);
            lower_[i] = static_cast<std::uint8_t>(delta < 0 ? -delta : 0);
        }
    }
    void operator()(const std::uint8_t* from, std::uint8_t* to) const {
        AddClamped(from, to, raise_.data(), lower_.data(), raise_.size());
    }

private:
    static int Limit(int d) { return std::clamp(d, -255, 255); }
    std::vector<std::uint8_t> raise_, lower_;
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
