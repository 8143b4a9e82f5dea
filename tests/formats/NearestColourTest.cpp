#include "NearestColour.h"

#include "TBitmap.h"

#include <gtest/gtest.h>

#include <random>

namespace zorvic {
namespace {

TEST(NearestColour, AgreesWithASearchOfTheWholePalette) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int size : {1, 2, 16, 256}) {
        SCOPED_TRACE(size);
        std::vector<TColor> palette;
        for (int i = 0; i < size; ++i)
            palette.push_back(MakeColor(channel(random), channel(random), channel(random)));
        palette.push_back(palette.front()); // a duplicate: the lower index wins
        TNearestColourFinder finder(palette);
        for (int r = 0; r < 256; r += 5)
            for (int g = 0; g < 256; g += 5)
                for (int b = 0; b < 256; b += 5) {
                    const TNearestColourFinder::TChoice choice = finder.Nearest(r, g, b);
                    ASSERT_EQ(choice.index, NearestPaletteIndex(palette, MakeColor(r, g, b)))
                        << r << "," << g << "," << b;
                    ASSERT_EQ(MakeColor(choice.red, choice.green, choice.blue),
                              palette[choice.index]);
                }
    }
}

} // namespace
} // namespace zorvic
