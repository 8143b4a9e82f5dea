// gtest and Qt before Xlib, whose macros (Bool, None, Status) break their headers.
#include <QImage>
#include <gtest/gtest.h>

#include "PlatformServices.h"
#include "X11TestTools.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <filesystem>

namespace zorvic::testing {
namespace {

Pixmap RootPixmapProperty(Display* display, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, name, False), 0, 1,
                       False, XA_PIXMAP, &type, &format, &items, &remaining, &data);
    const Pixmap pixmap = items == 1 ? *reinterpret_cast<Pixmap*>(data) : None;
    if (data) XFree(data);
    return pixmap;
}

bool PixmapExists(Display* display, Pixmap pixmap) {
    auto* previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    const bool exists =
        XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth);
    XSync(display, False);
    XSetErrorHandler(previous);
    return exists;
}

// Four quadrants of plain colours: after stretching, each quadrant's middle keeps its colour
// whatever the filter does at the seams.
std::string WriteQuadrantsBmp(const std::filesystem::path& folder, QRgb topLeft) {
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y,
                             x < 20 ? (y < 15 ? topLeft : qRgb(0, 200, 0))
                                    : (y < 15 ? qRgb(0, 0, 220) : qRgb(250, 250, 10)));
    const std::string path = (folder / "壁纸.bmp").string();
    EXPECT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
    return path;
}

TEST(DesktopWallpaper, StretchesThePictureOverTheRootAndFreesTheOldOne) {
    setenv("GSETTINGS_BACKEND", "memory", 1); // never touch the real desktop's settings
    PrivateDisplay server({.Width = 800, .Height = 600});
    DisplayPtr display = Open(server);
    const auto folder =
        std::filesystem::temp_directory_path() / ("zorvic-wallpaper-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    PlatformServices platform = MakeX11Platform(server.Name().c_str());

    platform.WallpaperService->SetDesktopWallpaper(WriteQuadrantsBmp(folder, qRgb(200, 0, 0)));
    const Pixmap first = RootPixmapProperty(display.get(), "_XROOTPMAP_ID");
    ASSERT_NE(first, None);
    EXPECT_EQ(RootPixmapProperty(display.get(), "ESETROOT_PMAP_ID"), first);
    EXPECT_EQ(RootPixel(display.get(), 200, 150), MakeColor(200, 0, 0));
    EXPECT_EQ(RootPixel(display.get(), 200, 450), MakeColor(0, 200, 0));
    EXPECT_EQ(RootPixel(display.get(), 600, 150), MakeColor(0, 0, 220));
    EXPECT_EQ(RootPixel(display.get(), 600, 450), MakeColor(250, 250, 10));
    EXPECT_EQ(RootPixel(display.get(), 0, 0), MakeColor(200, 0, 0));
    EXPECT_EQ(RootPixel(display.get(), 799, 599), MakeColor(250, 250, 10));

    // The pixmap outlives the connection that made it, and is what the properties name.
    XImage* image = XGetImage(display.get(), first, 0, 0, 800, 600, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 600, 150) & 0xFFFFFF, 0x0000DCu);
    XDestroyImage(image);

    platform.WallpaperService->SetDesktopWallpaper(WriteQuadrantsBmp(folder, qRgb(10, 20, 30)));
    EXPECT_EQ(RootPixel(display.get(), 200, 150), MakeColor(10, 20, 30));
    EXPECT_NE(RootPixmapProperty(display.get(), "_XROOTPMAP_ID"), first);
    EXPECT_FALSE(PixmapExists(display.get(), first)) << "the previous background leaks";
    std::filesystem::remove_all(folder);
}

TEST(DesktopWallpaper, UnreadableFileIsReportedAndChangesNothing) {
    PrivateDisplay server({.Width = 320, .Height = 240});
    DisplayPtr display = Open(server);
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
    EXPECT_THROW(platform.WallpaperService->SetDesktopWallpaper("/nonexistent/none.bmp"),
                 std::runtime_error);
    EXPECT_EQ(RootPixmapProperty(display.get(), "_XROOTPMAP_ID"), static_cast<Pixmap>(None));
}

TEST(WallpaperDirectory, FollowsXdgDataHomeElseHome) {
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_DATA_HOME", "/data/xdg", 1);
    EXPECT_EQ(WallpaperDirectory(), "/data/xdg/zorvic/wallpaper");
    setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(WallpaperDirectory(), "/home/someone/.local/share/zorvic/wallpaper");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(WallpaperDirectory(), "/home/someone/.local/share/zorvic/wallpaper");
}

} // namespace
} // namespace zorvic::testing
