#include "QtBitmapView.h"
#include "TBitmap.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace zorvic {
namespace {

TBitmap Sample(TPixelFormat format) {
    TBitmap bitmap(7, 5, format); // odd width: rows carry padding
    const std::vector<TColor> colours =
        format == TPixelFormat::pf1bit
            ? std::vector<TColor>{clBlack, clWhite, clWhite}
            : std::vector<TColor>{clRed, clLime, clBlue, clBlack, clAqua, clWhite};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            bitmap.SetPixel(x, y, colours[(x + 2 * y) % colours.size()]);
    return bitmap;
}

void ExpectSameColours(const QImage& image, const TBitmap& bitmap, const char* what) {
    ASSERT_EQ(image.width(), bitmap.Width()) << what;
    ASSERT_EQ(image.height(), bitmap.Height()) << what;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.GetPixel(x, y);
            ASSERT_EQ(image.pixel(x, y), qRgb(RedOf(c), GreenOf(c), BlueOf(c)))
                << what << " at " << x << "," << y;
        }
}

TEST(QtBitmapView, ViewsShareThePixelsAndShowTheRightColours) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf8bit,
                                TPixelFormat::pf1bit}) {
        const TBitmap bitmap = Sample(format);
        const QImage view = BitmapImageView(bitmap);
        EXPECT_EQ(view.constBits(), bitmap.ScanLine(0)) << BitsPerPixel(format);
        EXPECT_EQ(view.bytesPerLine(), bitmap.Stride());
        ExpectSameColours(view, bitmap, "view");
    }
    const TBitmap fourBits = Sample(TPixelFormat::pf4bit);
    ExpectSameColours(BitmapImageView(fourBits), fourBits, "4-bit copy");
    EXPECT_TRUE(BitmapImageView(TBitmap()).isNull());
}

TEST(QtBitmapView, ThirtyTwoBitViewsPaintOpaque) {
    // The spare byte is 0, which must not read as transparent when the view is drawn.
    const TBitmap bitmap = Sample(TPixelFormat::pf32bit);
    QImage target(14, 10, QImage::Format_ARGB32);
    target.fill(Qt::transparent);
    {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, 14, 10), BitmapImageView(bitmap));
    }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 14; ++x)
            ASSERT_EQ(qAlpha(target.pixel(x, y)), 255) << x << "," << y;
    const TColor c = bitmap.GetPixel(0, 0);
    EXPECT_EQ(target.pixel(0, 0), qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
}

TEST(QtBitmapView, WritingTheImageNeverChangesTheBitmap) {
    const TBitmap bitmap = Sample(TPixelFormat::pf24bit);
    QImage view = BitmapImageView(bitmap);
    view.setPixel(0, 0, qRgb(1, 2, 3)); // Qt detaches read-only data before writing
    EXPECT_EQ(bitmap.GetPixel(0, 0), clRed);
    EXPECT_NE(view.constBits(), bitmap.ScanLine(0));
}

} // namespace
} // namespace zorvic
