// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "PlatformServices.h"
#include "PrivateDisplay.h"

#include <QApplication>
#include <QImage>
#include <QProcess>

#include <cstdlib>

namespace zorvic::testing {
namespace {

// What another program gets when it asks for the clipboard as PNG.
QImage ReadClipboardPng() {
    QProcess reader;
    reader.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
    EXPECT_TRUE(reader.waitForStarted());
    // The reader waits on this process, which must go on answering it.
    for (int waited = 0; !reader.waitForFinished(10) && waited < 1000; ++waited)
        QCoreApplication::processEvents();
    EXPECT_EQ(reader.state(), QProcess::NotRunning);
    EXPECT_EQ(reader.exitCode(), 0);
    QImage read;
    EXPECT_TRUE(read.loadFromData(reader.readAllStandardOutput(), "PNG"));
    return read;
}

TEST(QtClipboard, AnotherProgramReadsThePictureBack) {
    PrivateDisplay server({.Width = 640, .Height = 480});
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    int argc = 1;
    char name[] = "clipboard-test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);

    // Odd sizes show row padding faults; 32-bit pictures have a spare byte that is no alpha.
    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap picture(47, 33, format);
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                picture.SetPixel(x, y, MakeColor(x * 5, y * 7, (x + y) * 3));
        MakeX11Platform(server.Name().c_str()).ClipboardService->SetImage(picture);
        picture.SetPixel(0, 0, clWhite); // the clipboard keeps its own copy

        const QImage read = ReadClipboardPng();
        ASSERT_EQ(read.width(), 47);
        ASSERT_EQ(read.height(), 33);
        for (int y = 0; y < 33; ++y)
            for (int x = 0; x < 47; ++x) {
                const QRgb pixel = read.pixel(x, y);
                ASSERT_EQ(qAlpha(pixel), 255);
                ASSERT_EQ(MakeColor(qRed(pixel), qGreen(pixel), qBlue(pixel)),
                          MakeColor(x * 5, y * 7, (x + y) * 3))
                    << x << "," << y;
            }
    }
}

} // namespace
} // namespace zorvic::testing
