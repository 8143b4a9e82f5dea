#include "QtTextRasterizer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace zorvic {

namespace {

// The size Delphi-era fonts get when no height is given: 8 points on a 96 dpi screen.
constexpr int kDefaultPixelHeight = 11;

QFont ToQFont(const TFont& font) {
    QFont result(QString::fromStdString(font.Name));
    result.setBold(font.Bold);
    result.setItalic(font.Italic);
    result.setUnderline(font.Underline);
    result.setStrikeOut(font.StrikeOut);
    const int height = font.Height == 0 ? -kDefaultPixelHeight : font.Height;
    result.setPixelSize(std::abs(height));
    if (height > 0) {
        // A cell height includes the leading: shrink until the whole line fits it.
        const int line = QFontMetrics(result).height();
        if (line > height)
            result.setPixelSize(
                std::max(1, static_cast<int>(std::lround(double(height) * height / line))));
    }
    return result;
}

} // namespace

TTextMask RasterizeTextWithQt(const std::string& utf8, const TFont& font) {
    const QFont qfont = ToQFont(font);
    const QFontMetrics metrics(qfont);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    TTextMask mask;
    mask.Width = metrics.horizontalAdvance(text);
    mask.Height = metrics.height();
    if (mask.Width <= 0 || mask.Height <= 0) {
        mask.Width = std::max(mask.Width, 0);
        return mask;
    }
    // Drawn opaque white on transparent: the alpha channel is the coverage.
    QImage canvas(mask.Width, mask.Height, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull()) return {}; // too large to allocate: draw nothing rather than fail
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(qfont);
        painter.setPen(Qt::white);
        painter.drawText(0, metrics.ascent(), text);
    }
    mask.Coverage.resize(static_cast<std::size_t>(mask.Width) * mask.Height);
    for (int y = 0; y < mask.Height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < mask.Width; ++x)
            mask.Coverage[static_cast<std::size_t>(y) * mask.Width + x] =
                static_cast<std::uint8_t>(qAlpha(row[x]));
    }
    return mask;
}

} // namespace zorvic
