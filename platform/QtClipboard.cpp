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
        // A copy of its own: the clipboard outlives any state of the picture.
        QGuiApplication::clipboard()->setImage(BitmapImageView(picture).copy(),
                                               QClipboard::Clipboard);
    }
};

} // namespace

std::shared_ptr<Clipboard> MakeQtClipboard() {
    return std::make_shared<QtClipboard>();
}

} // namespace zorvic
