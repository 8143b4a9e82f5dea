#include "PointerReadout.h"

#include "EditorStatusBar.h"

#include <array>
#include <utility>

namespace zorvic {

namespace {

constexpr std::array<std::pair<TColor, const char*>, 20> kColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
}};

constexpr int kColorPanel = 1, kPositionPanel = 2;
// What the colour panel shows before any pixel was read, and where there is no pixel.
constexpr const char* kNoColor = "R： G： B：";

} // namespace

QString ColorName(TColor color) {
    for (const auto& [value, name] : kColorNames)
        if (value == color) return QString::fromLatin1(name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

void ShowPointerReadout(TPicStatusBar& statusBar, const TBitmap& picture, TPoint at) {
    const TColor color = picture.GetPixel(at.x, at.y);
    // Outside the picture (a drag that left it) there is no colour to read; the position still
    // tells the user where the pointer is.
    statusBar.SetPanelText(kColorPanel, color == TBitmap::kInvalidColor
                                            ? QString::fromUtf8(kNoColor)
                                            : QStringLiteral("R：%1 G：%2 B：%3  %4")
                                                  .arg(RedOf(color))
                                                  .arg(GreenOf(color))
                                                  .arg(BlueOf(color))
                                                  .arg(ColorName(color)));
    statusBar.SetPanelText(kPositionPanel, QStringLiteral("坐标 x：%1 y：%2").arg(at.x).arg(at.y));
}

} // namespace zorvic
