#include "QtBitmapView.h"

namespace zorvic {

namespace {

QList<QRgb> ColourTable(const TBitmap& bitmap) {
    QList<QRgb> table;
    for (TColor c : bitmap.Palette())
        table.push_back(qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
    return table;
}

QImage ViewOf(const TBitmap& bitmap, QImage::Format format) {
    // The const-data constructor never writes to the bitmap: Qt copies before any change.
    return QImage(bitmap.ScanLine(0), bitmap.Width(), bitmap.Height(), bitmap.Stride(), format);
}

} // namespace

QImage BitmapImageView(const TBitmap& bitmap) {
    if (bitmap.Empty()) return {};
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf24bit:
        return ViewOf(bitmap, QImage::Format_BGR888);
    case TPixelFormat::pf32bit:
        return ViewOf(bitmap, QImage::Format_RGB32);
    case TPixelFormat::pf8bit: {
        QImage view = ViewOf(bitmap, QImage::Format_Indexed8);
        view.setColorTable(ColourTable(bitmap));
        return view;
    }
    case TPixelFormat::pf1bit: {
        QImage view = ViewOf(bitmap, QImage::Format_Mono);
        view.setColorTable(ColourTable(bitmap));
        return view;
    }
    case TPixelFormat::pf4bit:
        break;
    }
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
    image.setColorTable(ColourTable(bitmap));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* from = bitmap.ScanLine(y);
        uchar* to = image.scanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            to[x] = (x & 1) ? (from[x >> 1] & 0x0F) : (from[x >> 1] >> 4);
    }
    return image;
}

} // namespace zorvic
