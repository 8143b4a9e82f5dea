#include "Swirl.h"

#include "FastTrig.h"
#include "PixelHelpers.h"
#include "RowAccess.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zorvic {

namespace {

using Extended = long double;
constexpr Extended kPi = 3.141592653589793238462643383279502884L;

// The polar angle of (dx, dy), between -pi/2 and 3pi/2.
float TwistAngle(float dx, float dy) {
    if (dx == 0) return static_cast<float>(dy > 0 ? kPi / 2 : -kPi / 2);
    Extended angle = std::atan(static_cast<Extended>(dy) / dx);
    if (dx < 0) angle += kPi;
    return static_cast<float>(angle);
}

// Bilinear weights for one axis: w0 for the sample at the truncated coordinate, w1 for the next.
void AxisWeights(float s, int truncated, float& w0, float& w1) {
    if (s >= 0) {
        w1 = static_cast<float>(s - static_cast<Extended>(truncated));
        w0 = static_cast<float>(1 - static_cast<Extended>(w1));
    } else {
        w0 = static_cast<float>(truncated - static_cast<Extended>(s));
        w1 = static_cast<float>(1 - static_cast<Extended>(w0));
    }
}

// The second sample along an axis: the next pixel, or its mirror once past the far edge.
int NextSample(int i, int step, int size) {
    return i + step < size ? i + step : size - i - step;
}

// Whether a double, the correctly rounded result of an exact operation, lies on the midpoint
// between two neighbouring floats (or below the normal floats, where this test does not look).
// Otherwise it rounds to the float that the exact value rounds to; so does the extended result of
// the same operation, which lies nearer the exact value, on the same side of every midpoint.
bool OnFloatMidpoint(double d) {
    constexpr std::uint64_t kMagnitude = ~(std::uint64_t{1} << 63);
    constexpr std::uint64_t kSmallestNormalFloat = std::uint64_t{1023 - 126} << 52;
    // The 29 bits of a double's fraction below a float's 23.
    constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
    constexpr std::uint64_t kHalfFloatStep = std::uint64_t{1} << 28;
    const auto bits = std::bit_cast<std::uint64_t>(d);
    return ((bits & kMagnitude) < kSmallestNormalFloat && d != 0) |
           ((bits & kBelowFloat) == kHalfFloatStep);
}

// The stored float of a + b, and whether it is certainly the extended sum's. A double sum on a
// midpoint is still certain when it is exact: a tie, which every precision rounds to even (sums
// of floats and of small products often are).
bool StoreSum(double a, double b, float& stored) {
    const double sum = a + b;
    stored = static_cast<float>(sum);
    // The sum's rounding error, exactly (Knuth's two-sum).
    const double bPart = sum - a;
    const double aPart = sum - bPart;
    return !OnFloatMidpoint(sum) | ((a - aPart) + (b - bPart) == 0);
}

// The stored float of a value known within `margin` only: certain when the whole interval
// rounds to one float (rounding is monotonic, so then every value inside it does).
bool StoreWithin(double approximation, double margin, float& stored) {
    stored = static_cast<float>(approximation);
    return (static_cast<float>(approximation - margin) == stored) &
           (static_cast<float>(approximation + margin) == stored);
}

// The fast arc tangent, sine and cosine are within 2^-50 of the value; the margins allow 2^-47,
// relative to the magnitudes that take part, for them and the roundings after them.
constexpr double kRelativeMargin = 0x1p-47;
constexpr double kPiDouble = 2 * fasttrig::kHalfPi;

// A batch of destination pixels of one row, worked out in steps that each run over the whole
// batch: those without branches vectorise.
struct TBatch {
    static constexpr int kSize = TSwirl::kBatch;
    // The columns and rows of the two samples along each axis, wrapped as the definition does.
    int columns[2][kSize], rows[2][kSize];
    // The definition's weights of the four samples, in its order: (column 0, row 0),
    // (column 0, row 1), (column 1, row 0), (column 1, row 1).
    float weights[4][kSize];
    // The samples' blue, green and red.
    std::uint8_t samples[4][3][kSize];
    std::uint8_t bytes[3][kSize];
    // Whether everything so far is certainly the definition's.
    std::uint8_t certain[kSize];
};

struct TGeometry {
    float cx, cy;
    double inverseAmount;
    int width, height;
};

// WrapAround and NextSample for a truncated source coordinate at most one size past either edge
// (others, only in pictures far longer than wide, are left to the definition).
bool StoreSamplePlaces(int truncated, int size, int& first, int& second) {
    first = truncated < 0 ? size - 1 + truncated : truncated >= size ? truncated - size : truncated;
    second = first + 1 < size ? first + 1 : size - first - 1;
    return (truncated > -size) & (truncated < 2 * size);
}

// AxisWeights of a source coordinate through doubles: its fractional part is exact either way, and
// one minus it is checked. False where that might not be the definition's float.
bool StoreAxisWeights(float s, int truncated, float& w0, float& w1) {
    const bool ahead = s >= 0;
    const double fraction = s - static_cast<double>(truncated);
    const float exact = static_cast<float>(ahead ? fraction : -fraction);
    float complement;
    const bool certain = StoreSum(1, -static_cast<double>(exact), complement);
    w0 = ahead ? complement : exact;
    w1 = ahead ? exact : complement;
    return certain;
}

// The source points and weights of destination pixels left .. left + count - 1 of row y.
[[gnu::target_clones("avx2", "default")]] void SourcePoints(const TGeometry& geometry, int y,
                                                            int left, int count, TBatch& batch) {
    const float cx = geometry.cx, cy = geometry.cy;
    // Whole and half numbers far below 2^24: exact in every precision, as are their squares.
    const double dy = y - static_cast<double>(cy);
    for (int i = 0; i < count; ++i) {
        const double dx = (left + i) - static_cast<double>(cx);
        const double distance = std::sqrt(dx * dx + dy * dy);
        const float r = static_cast<float>(distance);
        bool certain = !OnFloatMidpoint(distance);

        // TwistAngle. For dx = 0 the arc tangent is +-pi/2, which rounds to the defined float. At
        // the centre itself (0 / 0) there is no angle; any angle gives the offset 0 there, exactly
        // as defined, and 0 keeps NaN out of what follows.
        const bool centre = distance == 0;
        const double atan = fasttrig::ArcTangent(dy, dx);
        const bool left = dx < 0;
        float phi;
        certain &= StoreWithin(left ? atan + kPiDouble : atan,
                               (std::fabs(atan) + (left ? 4 : 0)) * kRelativeMargin, phi) |
                   centre;
        phi = centre ? 0 : phi;

        // theta := phi - r / amount + pi/2: four roundings of the terms' size at most.
        const double turn = r * geometry.inverseAmount;
        float theta;
        certain &= StoreWithin((phi - turn) + fasttrig::kHalfPi,
                               (std::fabs(phi) + std::fabs(turn) + 2) * kRelativeMargin, theta);
        certain &= std::fabs(theta) <= fasttrig::kLargestAngle;

        const fasttrig::TSineCosine turned = fasttrig::SineCosine(theta);
        const double cosine = r * turned.cosine;
        const double sine = r * turned.sine;
        float u, v;
        certain &= StoreWithin(cosine, std::fabs(cosine) * kRelativeMargin, u);
        certain &= StoreWithin(sine, std::fabs(sine) * kRelativeMargin, v);

        float sx, sy;
        certain &= StoreSum(u, cx, sx);
        certain &= StoreSum(v, cy, sy);
        const int ix = static_cast<int>(sx);
        const int iy = static_cast<int>(sy);
        float wx[2], wy[2];
        certain &= StoreAxisWeights(sx, ix, wx[0], wx[1]);
        certain &= StoreAxisWeights(sy, iy, wy[0], wy[1]);
        certain &= StoreSamplePlaces(ix, geometry.width, batch.columns[0][i], batch.columns[1][i]);
        certain &= StoreSamplePlaces(iy, geometry.height, batch.rows[0][i], batch.rows[1][i]);
        // Products of floats are exact in a double, so these are the definition's weights.
        for (int k = 0; k < 4; ++k)
            batch.weights[k][i] = static_cast<float>(static_cast<double>(wx[k / 2]) * wy[k % 2]);
        batch.certain[i] = certain;
    }
}

// The four samples of each pixel. The places of uncertain pixels may lie outside the picture:
// those are given black, and the definition's own result later. Near the centre a row of the
// destination runs down a column of the source, a row of the source for every pixel, so the
// samples a few pixels ahead are asked of the memory early.
void GatherSamples(const std::vector<const std::uint8_t*>& rows, int count, TBatch& batch) {
    constexpr std::uint8_t kBlack[3] = {0, 0, 0};
    constexpr int kAhead = 6;
    for (int i = 0; i < count; ++i) {
        const int ahead = std::min(i + kAhead, count - 1);
        if (batch.certain[ahead])
            for (int j = 0; j < 2; ++j)
                __builtin_prefetch(rows[batch.rows[j][ahead]] + 3 * batch.columns[0][ahead]);
        for (int k = 0; k < 4; ++k) {
            const std::uint8_t* p = batch.certain[i]
                                        ? rows[batch.rows[k % 2][i]] + 3 * batch.columns[k / 2][i]
                                        : kBlack;
            for (int c = 0; c < 3; ++c)
                batch.samples[k][c][i] = p[c];
        }
    }
}

// The colours of the pixels from their samples, in single precision, eight pixels an instruction.
// The definition rounds its running sums to floats four times, each by at most 2^-24 of at most
// 256, and so ends within 2^-14 of the exact sum; these four products and three sums, rounded as
// much, end within 2^-14 of it too. Unless a sum lies within 2^-12 of a half, both round to the
// same whole number.
[[gnu::target_clones("avx2", "default")]] void Blend(int count, TBatch& batch) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < count; ++i) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += batch.weights[k][i] * batch.samples[k][c][i];
            const int whole = static_cast<int>(sum); // the weights are never negative
            const float fraction = sum - static_cast<float>(whole);
            batch.certain[i] &= std::fabs(fraction - 0.5f) >= 0x1p-12f;
            batch.bytes[c][i] = static_cast<std::uint8_t>(ClampByte(whole + (fraction > 0.5f)));
        }
    }
}

} // namespace

TSwirl::TSwirl(const TBitmap& src, int amount)
    : width_(src.Width()), height_(src.Height()), amount_(amount),
      cx_(static_cast<float>((width_ - 1) / Extended{2})),
      cy_(static_cast<float>((height_ - 1) / Extended{2})), rows_(rows::Readable(src)) {}

void TSwirl::Row(int y, int left, int end, std::uint8_t* row) const {
    TBatch batch;
    for (int first = left; first < end; first += kBatch) {
        const int count = std::min(kBatch, end - first);
        SourcePoints({cx_, cy_, 1.0 / amount_, width_, height_}, y, first, count, batch);
        GatherSamples(rows_, count, batch);
        Blend(count, batch);
        for (int i = 0; i < count; ++i) {
            const int x = first + i;
            std::uint8_t* out = row + 3 * x;
            if (batch.certain[i])
                for (int c = 0; c < 3; ++c)
                    out[c] = batch.bytes[c][i];
            else
                DefinedPixel(x, y, out);
        }
    }
}

// The definition as it stands: every expression in extended precision.
void TSwirl::DefinedPixel(int x, int y, std::uint8_t* out) const {
    const float dx = static_cast<float>(x - static_cast<Extended>(cx_));
    const float dy = static_cast<float>(y - static_cast<Extended>(cy_));
    const float r = static_cast<float>(
        std::sqrt(static_cast<Extended>(dx) * dx + static_cast<Extended>(dy) * dy));
    float u = 0, v = 0;
    if (r != 0) {
        const float theta =
            static_cast<float>(TwistAngle(dx, dy) - static_cast<Extended>(r) / amount_ + kPi / 2);
        u = static_cast<float>(r * std::cos(static_cast<Extended>(theta)));
        v = static_cast<float>(r * std::sin(static_cast<Extended>(theta)));
    }
    const float sx = static_cast<float>(static_cast<Extended>(u) + cx_);
    const float sy = static_cast<float>(static_cast<Extended>(v) + cy_);
    int ix = static_cast<int>(sx);
    int iy = static_cast<int>(sy);
    float wx[2], wy[2];
    AxisWeights(sx, ix, wx[0], wx[1]);
    AxisWeights(sy, iy, wy[0], wy[1]);
    ix = WrapAround(ix, width_);
    iy = WrapAround(iy, height_);
    float sums[3] = {0, 0, 0};
    for (int i = 0; i < 2; ++i) {
        const int column = NextSample(ix, i, width_);
        for (int j = 0; j < 2; ++j) {
            const std::uint8_t* p = rows_[NextSample(iy, j, height_)] + 3 * column;
            const float weight = static_cast<float>(static_cast<Extended>(wx[i]) * wy[j]);
            for (int c = 0; c < 3; ++c)
                sums[c] = static_cast<float>(sums[c] + static_cast<Extended>(weight) * p[c]);
        }
    }
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<std::uint8_t>(ClampByte(static_cast<int>(std::nearbyint(sums[c]))));
}

} // namespace zorvic
