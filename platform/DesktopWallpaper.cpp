#include "ChildProcess.h"
#include "Errors.h"
#include "X11Services.h"

#include <QImage>
#include <QUrl>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace zorvic {

std::string WallpaperDirectory() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (dataHome && *dataHome) {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "") / ".local" / "share";
    }
    return (base / "zorvic" / "wallpaper").string();
}

namespace {

// A text as a GVariant string literal, so that gsettings never reads it as anything else.
std::string GVariantString(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

// GNOME and its relatives draw their own background from these keys.
void SetGnomeBackground(const std::string& path) {
    const std::string schema = "org.gnome.desktop.background";
    if (!ProgramOnPath("gsettings") || RunProgram({"gsettings", "list-keys", schema}).ExitCode != 0)
        return;
    const std::string uri = GVariantString(QUrl::fromLocalFile(QString::fromStdString(path))
                                               .toString(QUrl::FullyEncoded)
                                               .toStdString());
    RunProgram({"gsettings", "set", schema, "picture-uri", uri});
    // Only newer desktops have the dark variant; elsewhere this fails harmlessly.
    RunProgram({"gsettings", "set", schema, "picture-uri-dark", uri});
    RunProgram({"gsettings", "set", schema, "picture-options", "'stretched'"});
}

// Xfce keeps one picture per monitor and workspace; every one that exists is set.
void SetXfceBackground(const std::string& path) {
    if (!ProgramOnPath("xfconf-query")) return;
    const ProgramResult list = RunProgram({"xfconf-query", "-c", "xfce4-desktop", "-l"});
    if (list.ExitCode != 0) return;
    const std::string imageKey = "/last-image";
    std::istringstream lines(list.Output);
    std::string property;
    while (std::getline(lines, property)) {
        if (!property.ends_with(imageKey)) continue;
        RunProgram({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", path});
        const std::string style =
            property.substr(0, property.size() - imageKey.size()) + "/image-style";
        RunProgram({"xfconf-query", "-c", "xfce4-desktop", "-p", style, "-s", "3"}); // stretched
    }
}

// The picture in the root window's pixel format.
x11::ImagePtr MakeRootImage(Display* display, const QImage& picture) {
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    x11::ImagePtr image(XCreateImage(display, visual, DefaultDepth(display, screen), ZPixmap, 0,
                                     nullptr, picture.width(), picture.height(), 32, 0));
    if (!image) throw EZorvicError("Cannot set the desktop background: no image for the screen");
    // XDestroyImage releases the data with free().
    image->data = static_cast<char*>(
        std::malloc(static_cast<std::size_t>(image->bytes_per_line) * picture.height()));
    if (!image->data) throw EZorvicError("Cannot set the desktop background: out of memory");
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            XPutPixel(image.get(), x, y,
                      x11::PixelFromChannel(qRed(row[x]), visual->red_mask) |
                          x11::PixelFromChannel(qGreen(row[x]), visual->green_mask) |
                          x11::PixelFromChannel(qBlue(row[x]), visual->blue_mask));
    }
    return image;
}

Pixmap ReadPixmapProperty(Display* display, Window root, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* raw = nullptr;
    XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &items,
                       &remaining, &raw);
    const x11::XPtr<unsigned char> data(raw);
    if (type != XA_PIXMAP || format != 32 || items != 1) return None;
    return static_cast<Pixmap>(*reinterpret_cast<const unsigned long*>(data.get()));
}

// The background pixmap lives on the server after the connection that made it closes; it is
// found again through the two root properties, which a setter that kept its pixmap alive this
// way sets to the same id, and freed by ending that kept connection's resources.
void SetRootBackground(const std::string& displayName, const QImage& picture) {
    x11::Connection connection(displayName.empty() ? nullptr : displayName.c_str());
    Display* display = connection.Display();
    const Window root = connection.Root();
    const Atom rootPixmapAtom = connection.InternAtom("_XROOTPMAP_ID");
    const Atom setRootAtom = connection.InternAtom("ESETROOT_PMAP_ID");
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    const QImage stretched = picture.convertToFormat(QImage::Format_RGB32)
                                 .scaled(attributes.width, attributes.height, Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);

    x11::ErrorTrap trap(display);
    const x11::ImagePtr image = MakeRootImage(display, stretched);
    const Pixmap pixmap = XCreatePixmap(display, root, static_cast<unsigned>(attributes.width),
                                        static_cast<unsigned>(attributes.height),
                                        static_cast<unsigned>(attributes.depth));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image.get(), 0, 0, 0, 0, static_cast<unsigned>(attributes.width),
              static_cast<unsigned>(attributes.height));
    XFreeGC(display, gc);
    trap.ThrowIfFailed("Cannot set the desktop background");

    const Pixmap previous = ReadPixmapProperty(display, root, rootPixmapAtom);
    if (previous != None && previous == ReadPixmapProperty(display, root, setRootAtom)) {
        XKillClient(display, previous);
        trap.Sync(); // already gone is fine
    }
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    const unsigned long id = pixmap;
    for (const Atom property : {rootPixmapAtom, setRootAtom})
        XChangeProperty(display, root, property, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&id), 1);
    XSetCloseDownMode(display, RetainPermanent);
    XSync(display, False);
}

class DesktopWallpaper final : public Wallpaper {
public:
    explicit DesktopWallpaper(std::string displayName) : displayName_(std::move(displayName)) {}

    void SetDesktopWallpaper(const std::string& bmpPath) override {
        const QImage picture(QString::fromStdString(bmpPath));
        if (picture.isNull())
            throw EZorvicError("Cannot set the desktop background: cannot read \"" + bmpPath +
                               "\"");
        const std::string absolute = std::filesystem::absolute(bmpPath).string();
        SetGnomeBackground(absolute);
        SetXfceBackground(absolute);
        SetRootBackground(displayName_, picture);
    }

private:
    std::string displayName_;
};

} // namespace

std::shared_ptr<Wallpaper> x11::MakeDesktopWallpaper(std::string displayName) {
    return std::make_shared<DesktopWallpaper>(std::move(displayName));
}

} // namespace zorvic
