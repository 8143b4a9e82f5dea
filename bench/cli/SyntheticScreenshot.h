#pragma once
#include "TBitmap.h"

namespace zorvic::bench {

inline constexpr int kScreenshotWidth = 1920;
inline constexpr int kScreenshotHeight = 1080;

// A deterministic stand-in for a desktop screenshot: a gradient wallpaper, a task bar and
// overlapping windows with anti-aliased Latin and Chinese text, flat controls and a small
// picture, drawn by Qt's own painter as a desktop would draw them. Needs a QGuiApplication.
TBitmap MakeSyntheticScreenshot(int width = kScreenshotWidth, int height = kScreenshotHeight);

} // namespace zorvic::bench
