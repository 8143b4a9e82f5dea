#include "OctreeQuantizer.h"

#include "Errors.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace zorvic {

namespace {

// Calls visit(red, green, blue) for every pixel of a 24 or 32-bit picture until it returns false.
template <typename Visit> void VisitPixels(const TBitmap& bitmap, Visit visit) {
    const int step = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* pixel = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x, pixel += step)
            if (!visit(pixel[2], pixel[1], pixel[0])) return;
    }
}

// The picture's distinct colours, or nothing once there are more than `limit` of them.
std::optional<std::vector<TColor>> DistinctColours(const TBitmap& bitmap, int limit) {
    // An open-addressed set well over four times the limit, so probes stay short.
    constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    std::vector<std::uint32_t> set(4096, kEmpty);
    const std::uint32_t mask = static_cast<std::uint32_t>(set.size()) - 1;
    std::vector<TColor> colours;
    std::uint32_t previous = kEmpty;
    bool tooMany = false;
    VisitPixels(bitmap, [&](int red, int green, int blue) {
        const TColor colour = MakeColor(red, green, blue);
        if (colour == previous) return true;
        previous = colour;
        std::uint32_t slot = (colour * 2654435761u) >> 20 & mask;
        while (set[slot] != kEmpty && set[slot] != colour)
            slot = (slot + 1) & mask;
        if (set[slot] == colour) return true;
        if (static_cast<int>(colours.size()) == limit) {
            tooMany = true;
            return false;
        }
        set[slot] = colour;
        colours.push_back(colour);
        return true;
    });
    if (tooMany) return std::nullopt;
    std::sort(colours.begin(), colours.end());
    return colours;
}

// The octree is held level by level: level L has 8^L nodes, one for each combination of the top
// L bits of red, green and blue. Counting stops at level 6 (the top six bits); the sums in each
// node keep the exact colours, so a leaf's mean is a mean of real picture colours.
constexpr int kDepth = 6;

struct TNode {
    std::uint64_t count = 0, red = 0, green = 0, blue = 0;
    void Add(const TNode& other) {
        count += other.count;
        red += other.red;
        green += other.green;
        blue += other.blue;
    }
    TColor Mean() const {
        const std::uint64_t half = count / 2;
        return MakeColor(static_cast<int>((red + half) / count),
                         static_cast<int>((green + half) / count),
                         static_cast<int>((blue + half) / count));
    }
};

int NodeIndex(int red, int green, int blue, int level) {
    return (red << 2 * level) | (green << level) | blue;
}

// Index of child (i, j, k) of node `node` at `level`: the next bit of each channel.
int ChildIndex(int node, int level, int i, int j, int k) {
    const int mask = (1 << level) - 1;
    const int red = node >> 2 * level, green = (node >> level) & mask, blue = node & mask;
    return NodeIndex(2 * red + i, 2 * green + j, 2 * blue + k, level + 1);
}

template <typename Visit> void ForEachChild(int node, int level, Visit visit) {
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k)
                visit(ChildIndex(node, level, i, j, k));
}

class TDenseOctree {
public:
    explicit TDenseOctree(const TBitmap& bitmap) {
        for (int level = 0; level <= kDepth; ++level)
            levels_[level].resize(std::size_t{1} << 3 * level);
        std::vector<TNode>& leaves = levels_[kDepth];
        constexpr int shift = 8 - kDepth;
        VisitPixels(bitmap, [&](int red, int green, int blue) {
            TNode& leaf = leaves[NodeIndex(red >> shift, green >> shift, blue >> shift, kDepth)];
            ++leaf.count;
            leaf.red += red;
            leaf.green += green;
            leaf.blue += blue;
            return true;
        });
        for (int level = kDepth - 1; level >= 0; --level)
            for (std::size_t node = 0; node < levels_[level].size(); ++node)
                ForEachChild(static_cast<int>(node), level, [&](int child) {
                    levels_[level][node].Add(levels_[level + 1][child]);
                });
    }

    // Merges the least used nodes of the deepest level first until at most `maxLeaves` are left,
    // and returns the leaves' mean colours.
    std::vector<TColor> ReduceTo(int maxLeaves) {
        int leafCount = 0;
        for (const TNode& leaf : levels_[kDepth])
            leafCount += leaf.count > 0;
        if (leafCount <= maxLeaves) return UsedMeans(levels_[kDepth]);

        int level = kDepth - 1;
        std::vector<bool> merged;
        for (;; --level) {
            merged.assign(levels_[level].size(), false);
            // Children of this level's nodes are all leaves now: the level below is merged whole.
            for (int node : UsedByCount(level)) {
                merged[node] = true;
                leafCount -= UsedChildren(node, level) - 1;
                if (leafCount <= maxLeaves) break;
            }
            if (leafCount <= maxLeaves || level == 0) break;
        }
        std::vector<TColor> palette;
        for (std::size_t node = 0; node < levels_[level].size(); ++node) {
            if (levels_[level][node].count == 0) continue;
            if (merged[node]) {
                palette.push_back(levels_[level][node].Mean());
                continue;
            }
            ForEachChild(static_cast<int>(node), level, [&](int child) {
                if (levels_[level + 1][child].count > 0)
                    palette.push_back(levels_[level + 1][child].Mean());
            });
        }
        return palette;
    }

private:
    static std::vector<TColor> UsedMeans(const std::vector<TNode>& nodes) {
        std::vector<TColor> means;
        for (const TNode& node : nodes)
            if (node.count > 0) means.push_back(node.Mean());
        return means;
    }

    // The level's used nodes, least used first (ties in index order).
    std::vector<int> UsedByCount(int level) const {
        const std::vector<TNode>& nodes = levels_[level];
        std::vector<int> used;
        for (std::size_t node = 0; node < nodes.size(); ++node)
            if (nodes[node].count > 0) used.push_back(static_cast<int>(node));
        std::stable_sort(used.begin(), used.end(),
                         [&](int a, int b) { return nodes[a].count < nodes[b].count; });
        return used;
    }

    int UsedChildren(int node, int level) const {
        int used = 0;
        ForEachChild(node, level, [&](int child) { used += levels_[level + 1][child].count > 0; });
        return used;
    }

    std::array<std::vector<TNode>, kDepth + 1> levels_;
};

} // namespace

std::vector<TColor> BuildOctreePalette(const TBitmap& bitmap, int maxColours) {
    if (HasPalette(bitmap.PixelFormat()))
        throw EZorvicError("Octree quantisation needs a 24 or 32-bit picture.");
    maxColours = std::clamp(maxColours, 1, kMaxPaletteColours);
    // With no more colours than leaves allowed nothing is merged: each leaf is one colour.
    if (auto colours = DistinctColours(bitmap, maxColours)) return *colours;
    return TDenseOctree(bitmap).ReduceTo(maxColours);
}

} // namespace zorvic
