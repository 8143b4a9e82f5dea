#include "Clipboard.h"
#include "Errors.h"
#include "QtBitmapView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace zorvic {

namespace {

class QtClipboard final : public Clipboard {
public:
    void SetImage(const TBitmap& picture) override {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            throw EZorvicError("Cannot open clipboard");
        // The view is never RGB888 itself, so this makes an image of its own that outlives
        // the picture; it also drops the spare byte of 32-bit pictures, which is no alpha.
        QGuiApplication::clipboard()->setImage(
            BitmapImageView(picture).convertToFormat(QImage::Format_RGB888), QClipboard::Clipboard);
    }
};

} // namespace

std::shared_ptr<Clipboard> MakeQtClipboard() {
    return std::make_shared<QtClipboard>();
}

} // namespace zorvic
