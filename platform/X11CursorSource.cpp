#include "X11Services.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace zorvic::x11 {

namespace {

class X11CursorSource final : public CursorSource {
public:
    explicit X11CursorSource(std::shared_ptr<Connection> connection)
        : connection_(std::move(connection)) {
        int eventBase = 0, errorBase = 0;
        hasFixes_ = XFixesQueryExtension(connection_->Display(), &eventBase, &errorBase);
    }

    TPoint Position() override {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        ErrorTrap trap(connection_->Display());
        XQueryPointer(connection_->Display(), connection_->Root(), &root, &child, &rootX, &rootY,
                      &x, &y, &mask);
        return {rootX, rootY};
    }

    std::optional<CursorImage> Current() override {
        if (!hasFixes_) return std::nullopt;
        ErrorTrap trap(connection_->Display());
        const XPtr<XFixesCursorImage> image(XFixesGetCursorImage(connection_->Display()));
        if (!image || trap.Sync() != 0 || image->width == 0 || image->height == 0)
            return std::nullopt;
        CursorImage cursor;
        cursor.Width = image->width;
        cursor.Height = image->height;
        cursor.HotSpot = {image->xhot, image->yhot};
        // The pixels are unsigned longs (8 bytes on 64-bit systems) holding 32-bit ARGB.
        const std::size_t count = static_cast<std::size_t>(image->width) * image->height;
        cursor.Argb.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            cursor.Argb[i] = static_cast<std::uint32_t>(image->pixels[i]);
        // A hidden cursor comes back as a fully transparent picture.
        for (const std::uint32_t pixel : cursor.Argb)
            if (pixel >> 24) return cursor;
        return std::nullopt;
    }

private:
    std::shared_ptr<Connection> connection_;
    bool hasFixes_ = false;
};

} // namespace

std::shared_ptr<CursorSource> MakeCursorSource(std::shared_ptr<Connection> connection) {
    return std::make_shared<X11CursorSource>(std::move(connection));
}

} // namespace zorvic::x11
