// gtest and Qt before Xlib, whose macros (Bool, None, Status) break their headers.
#include <QImage>
#include <QUrl>
#include <gtest/gtest.h>

#include "PlatformServices.h"
#include "ScopedEnvironment.h"
#include "StandInCommands.h"
#include "TempDir.h"
#include "X11Support.h"
#include "X11TestTools.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <optional>
#include <utility>
#include <vector>

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
    x11::ErrorTrap trap(display);
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    const bool exists =
        XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth);
    return exists && trap.Sync() == 0;
}

// Four quadrants of plain colours: after stretching, each quadrant's middle keeps its colour
// whatever the filter does at the seams.
std::string WriteQuadrantsBmp(const TTempDir& folder, QRgb topLeft) {
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y,
                             x < 20 ? (y < 15 ? topLeft : qRgb(0, 200, 0))
                                    : (y < 15 ? qRgb(0, 0, 220) : qRgb(250, 250, 10)));
    const std::string path = folder.Path("壁纸.bmp");
    EXPECT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
    return path;
}

// The desktops' own settings tools are stand-ins that log what they are asked: an Xfce desktop
// with one monitor and workspace, and a GNOME one whose schema is there.
class DesktopWallpaper : public ::testing::Test {
protected:
    DesktopWallpaper() {
        commands.Add("gsettings");
        commands.Add("xfconf-query", 0,
                     "/backdrop/screen0/monitor0/workspace0/color-style\n"
                     "/backdrop/screen0/monitor0/workspace0/last-image\n");
    }

    TStandInCommands commands;
    TTempDir folder;
};

TEST_F(DesktopWallpaper, StretchesThePictureOverTheRootAndFreesTheOldOne) {
    PrivateDisplay server({.Width = 800, .Height = 600});
    DisplayPtr display = Open(server);
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
}

TEST_F(DesktopWallpaper, TellsTheDesktopsToShowThePictureStretched) {
    PrivateDisplay server({.Width = 320, .Height = 240});
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
    const std::string path = WriteQuadrantsBmp(folder, qRgb(200, 0, 0));
    platform.WallpaperService->SetDesktopWallpaper(path);

    const std::string uri = "'" +
                            QUrl::fromLocalFile(QString::fromStdString(path))
                                .toString(QUrl::FullyEncoded)
                                .toStdString() +
                            "'";
    const std::string schema = "org.gnome.desktop.background";
    EXPECT_EQ(
        commands.Calls("gsettings"),
        (std::vector<std::string>{"list-keys " + schema, "set " + schema + " picture-uri " + uri,
                                  "set " + schema + " picture-uri-dark " + uri,
                                  "set " + schema + " picture-options 'stretched'"}));
    const std::string workspace = "/backdrop/screen0/monitor0/workspace0";
    EXPECT_EQ(
        commands.Calls("xfconf-query"),
        (std::vector<std::string>{"-c xfce4-desktop -l",
                                  "-c xfce4-desktop -p " + workspace + "/last-image -s " + path,
                                  "-c xfce4-desktop -p " + workspace + "/image-style -s 3"}));
}

TEST_F(DesktopWallpaper, UnreadableFileIsReportedAndChangesNothing) {
    PrivateDisplay server({.Width = 320, .Height = 240});
    DisplayPtr display = Open(server);
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
    EXPECT_THROW(platform.WallpaperService->SetDesktopWallpaper("/nonexistent/none.bmp"),
                 std::runtime_error);
    EXPECT_EQ(RootPixmapProperty(display.get(), "_XROOTPMAP_ID"), static_cast<Pixmap>(None));
    EXPECT_TRUE(commands.Calls("gsettings").empty());
    EXPECT_TRUE(commands.Calls("xfconf-query").empty());
}

TEST(WallpaperDirectory, FollowsXdgDataHomeElseHome) {
    const TScopedEnvironment home("HOME", "/home/someone");
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"/data/xdg", "/data/xdg/zorvic/wallpaper"},
        {"", "/home/someone/.local/share/zorvic/wallpaper"},
        {std::nullopt, "/home/someone/.local/share/zorvic/wallpaper"},
    };
    for (const auto& [dataHome, folder] : cases) {
        const TScopedEnvironment data("XDG_DATA_HOME", dataHome);
        EXPECT_EQ(WallpaperDirectory(), folder) << dataHome.value_or("(unset)");
    }
}

} // namespace
} // namespace zorvic::testing
