#pragma once
#include "PlatformServices.h"
#include "TBitmap.h"

#include <optional>

namespace zorvic {

// The screen grab, the cursor overlay and the crops, free of any window. Screen point (x, y)
// of the primary monitor is pixel (x, y) of the capture bitmap.

// Fills the capture bitmap with the primary screen, sizing it when needed (32 bits per pixel).
void GrabScreen(TBitmap& capture, PlatformServices& platform);

// The cursor shown now, whichever program set it; nothing when it is hidden.
std::optional<CursorImage> GetForeignCursor(PlatformServices& platform);
TPoint GetCursorHotSpot(const CursorImage& cursor);
// Blends the current cursor into the capture with its hot spot on the pointer position.
void DrawCursor(TBitmap& capture, PlatformServices& platform);
// Blends a premultiplied ARGB cursor with its top-left corner at (left, top), clipped.
void BlendCursor(TBitmap& capture, const CursorImage& cursor, int left, int top);

// Sizes `result` to the rectangle (given in capture pixels) and copies it 1:1; the parts of the
// rectangle beyond the capture come out black. An empty rectangle gives an empty result.
void CopyCaptureRect(const TBitmap& capture, const TRect& rect, TBitmap& result);

// The outer rectangle (frame included) of the foreground window; empty result without one.
void CropActiveWindow(const TBitmap& capture, TBitmap& result, PlatformServices& platform);
// The outer rectangle of the innermost window under the pointer; empty result without one.
void CropControl(const TBitmap& capture, TBitmap& result, PlatformServices& platform);
// The hole of the frame window: 5 pixels inside its top-left corner (given in screen
// coordinates), fixedWidth x fixedHeight.
void CropFixedRegion(const TBitmap& capture, TBitmap& result, TPoint frameTopLeft, int fixedWidth,
                     int fixedHeight, PlatformServices& platform);

} // namespace zorvic
