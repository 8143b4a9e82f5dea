#include "Distortions.h"

#include "TCanvas.h"

namespace zorvic {

void FarView(const TBitmap& src, TBitmap& dst, int topWidth, int bottomWidth) {
    const int height = src.Height();
    const int width = topWidth > bottomWidth ? topWidth : bottomWidth;
    dst.SetPixelFormat(src.PixelFormat());
    dst.SetSize(width, height);
    TCanvas& canvas = dst.Canvas();
    canvas.Brush.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(TRect{0, 0, width, height});
    if (height == 0) return;
    canvas.StretchMode = TStretchMode::Halftone;
    canvas.CopyMode = TCopyMode::SrcCopy;
    const double step = static_cast<double>(bottomWidth - topWidth) / height;
    for (int y = 0; y < height; ++y) {
        const int rowWidth = static_cast<int>(y * step + topWidth);
        const int left = (width - rowWidth) / 2;
        canvas.CopyRect(TRect{left, y, left + rowWidth, y + 1}, src,
                        TRect{0, y, src.Width(), y + 1});
    }
}

} // namespace zorvic
