#pragma once
#include <cstdint>

namespace zorvic {

// A colour as 0x00BBGGRR: red in the low byte.
using TColor = std::uint32_t;

constexpr TColor MakeColor(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(TColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
// The system's button-highlight colour on the classic scheme.
constexpr TColor clBtnHighlight = 0xFFFFFF;
constexpr TColor clWindowText = 0x000000;

} // namespace zorvic
