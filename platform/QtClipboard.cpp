#include "Clipboard.h"
#include "Errors.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <cstring>

namespace zorvic {

namespace {

QImage ToImage(const TBitmap& picture) {
    TBitmap source = picture;
    if (source.PixelFormat() != TPixelFormat::pf24bit) source.SetPixelFormat(TPixelFormat::pf24bit);
    QImage image(source.Width(), source.Height(), QImage::Format_BGR888);
    const auto rowBytes = static_cast<std::size_t>(source.Width()) * 3;
    for (int y = 0; y < source.Height(); ++y)
        std::memcpy(image.scanLine(y), std::as_const(source).ScanLine(y), rowBytes);
    return image;
}

class QtClipboard final : public Clipboard {
public:
    void SetImage(const TBitmap& picture) override {
        QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                    ? QGuiApplication::clipboard()
                                    : nullptr;
        if (!clipboard) throw EZorvicError("Cannot open clipboard");
        clipboard->setImage(ToImage(picture), QClipboard::Clipboard);
    }
};

} // namespace

std::shared_ptr<Clipboard> MakeQtClipboard() {
    return std::make_shared<QtClipboard>();
}

} // namespace zorvic
