#include "ScreenPictures.h"

#include "Sequence.h"

#include <algorithm>
#include <cstdint>

namespace zorvic::bench {

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

class TScreen {
public:
    TScreen() : picture_(kWidth, kHeight) {}

    void Fill(int left, int top, int width, int height, TColor colour) {
        for (int y = std::max(top, 0); y < std::min(top + height, kHeight); ++y)
            for (int x = std::max(left, 0); x < std::min(left + width, kWidth); ++x)
                Put(x, y, colour);
    }

    // A window: a frame, a title bar shaded from top to bottom, a white client area.
    void Window(int left, int top, int width, int height) {
        Fill(left - 1, top - 1, width + 2, height + 2, MakeColor(120, 120, 120));
        for (int y = 0; y < 26; ++y)
            Fill(left, top + y, width, 1, MakeColor(40 + y, 80 + y, 150 + y));
        for (int button = 1; button <= 3; ++button)
            Fill(left + width - 26 * button, top + 5, 18, 16, MakeColor(220, 220, 220));
        Fill(left, top + 26, width, height - 26, clWhite);
    }

    // Lines of words in small glyphs, each glyph five columns by seven rows of ink chosen from
    // the sequence, with lighter pixels beside its strokes as smoothed text has.
    void Text(TSequence& sequence, int left, int top, int width, int height, TColor ink) {
        const TColor edge = MakeColor((RedOf(ink) + 3 * 255) / 4, (GreenOf(ink) + 3 * 255) / 4,
                                      (BlueOf(ink) + 3 * 255) / 4);
        for (int line = top; line + 10 <= top + height; line += 16) {
            int x = left + 4 * sequence.Below(6);
            const int end = left + width - sequence.Below(width / 3);
            while (x + 8 < end) {
                for (int glyphs = 2 + sequence.Below(7); glyphs > 0 && x + 8 < end; --glyphs) {
                    // About three pixels in eight are ink.
                    const std::uint64_t shape =
                        static_cast<std::uint64_t>(sequence.Next() &
                                                   (sequence.Next() | sequence.Next()))
                        << 3;
                    for (int row = 0; row < 7; ++row)
                        for (int column = 0; column < 5; ++column)
                            if ((shape >> (row * 5 + column)) & 1) {
                                Put(x + column, line + row, ink);
                                if (picture_.GetPixel(x + column + 1, line + row) == clWhite)
                                    Put(x + column + 1, line + row, edge);
                            }
                    x += 7;
                }
                x += 6;
            }
        }
    }

    TBitmap Picture() const { return picture_; }

private:
    void Put(int x, int y, TColor colour) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
        std::uint8_t* pixel = picture_.ScanLine(y) + 3 * x;
        pixel[0] = static_cast<std::uint8_t>(BlueOf(colour));
        pixel[1] = static_cast<std::uint8_t>(GreenOf(colour));
        pixel[2] = static_cast<std::uint8_t>(RedOf(colour));
    }

    TBitmap picture_;
};

void TaskBar(TScreen& screen) {
    screen.Fill(0, kHeight - 40, kWidth, 40, MakeColor(192, 192, 192));
    screen.Fill(0, kHeight - 40, kWidth, 1, clWhite);
    for (int button = 0; button < 5; ++button)
        screen.Fill(80 + 170 * button, kHeight - 34, 160, 28, MakeColor(212, 208, 200));
}

} // namespace

TBitmap MakeNearlyEmptyScreen() {
    TScreen screen;
    TSequence sequence;
    screen.Fill(0, 0, kWidth, kHeight, MakeColor(58, 110, 165));
    TaskBar(screen);
    screen.Window(560, 300, 800, 420);
    screen.Text(sequence, 580, 346, 760, 32, clBlack);
    return screen.Picture();
}

} // namespace zorvic::bench
