// The real program, from the press of Ctrl+B (sent through XTest) to the window that the
// capture opens being mapped on the server: the full-screen editor and the region overlay.
// Everything counts here: the hook library noticing the key, the wait for the next 50 ms tick,
// the grab, the four quarter turns and the editor's first layout.
//
//     bench_program_capture [WIDTHxHEIGHT] [PRESSES]
#include "PrivateDisplay.h"
#include "ProgramUnderTest.h"
#include "X11TestTools.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace zorvic::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Waits for the next top-level window to be mapped; its id, or 0 after ten seconds.
Window NextMappedWindow(Display* display, Clock::time_point& mappedAt) {
    const auto deadline = Clock::now() + 10s;
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                mappedAt = Clock::now();
                return event.xmap.window;
            }
        }
        std::this_thread::sleep_for(200us);
    }
    return 0;
}

// The first press of a run is shown apart: it pays for first-time allocations and layouts.
void Report(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::printf("%-36s first %6.1f ms", what, ms.front());
    ms.erase(ms.begin());
    if (!ms.empty()) {
        std::sort(ms.begin(), ms.end());
        std::printf("   then median %6.1f   min %6.1f   max %6.1f   (%zu presses)",
                    ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    }
    std::printf("\n");
}

// Presses Ctrl+B `presses` times; after each, the window titled `opens` must appear, and is
// closed again (by a close request, or Escape for the overlay).
std::vector<double> MeasurePresses(ProgramUnderTest& program, Display* display, int presses,
                                   const std::string& opens, bool closeWithEscape) {
    std::vector<double> ms;
    for (int i = 0; i < presses; ++i) {
        // Idle ticks in between, as a user's presses are far apart.
        std::this_thread::sleep_for(300ms);
        while (XPending(display)) {
            XEvent ignored;
            XNextEvent(display, &ignored);
        }
        const auto pressed = Clock::now();
        TapChord(display, {XK_Control_L}, XK_b);
        Clock::time_point mappedAt;
        Window window = 0;
        while ((window = NextMappedWindow(display, mappedAt)) && program.TitleOf(window) != opens) {
        }
        if (!window) {
            std::fprintf(stderr, "no window titled %s appeared\n", opens.c_str());
            return ms;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(mappedAt - pressed).count());
        if (closeWithEscape) {
            TapChord(display, {}, XK_Escape);
        } else {
            program.SendCloseRequest(window);
        }
        const auto deadline = Clock::now() + 5s;
        while (program.IsShown(window) && Clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
    }
    return ms;
}

} // namespace
} // namespace zorvic::testing

int main(int argc, char** argv) {
    using namespace zorvic::testing;
    int width = 1920, height = 1080;
    if (argc > 1) std::sscanf(argv[1], "%dx%d", &width, &height);
    const int presses = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

    PrivateDisplay server({.Width = width, .Height = height});
    Display* display = XOpenDisplay(server.Name().c_str());
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    ProgramUnderTest program(ZORVIC_EXECUTABLE, display, server.Name());
    // The main window stays where it is during a capture, so no hiding delay is measured.
    program.StoreStartOptions({.IncludeCursor = true, .HideMainWindow = false});
    program.Launch();
    if (!program.FindWindowTitled("ZorvicV1.5", true)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    // A user's first press comes after the program has settled, and its warm-up is done.
    std::this_thread::sleep_for(1s);
    std::printf("%dx%d, cursor drawn in\n", width, height);
    // The program starts in region mode.
    Report("Ctrl+B to region overlay mapped",
           MeasurePresses(program, display, presses, "Zorvic", true));
    // Full-screen mode from the main window's keyboard shortcut.
    const Window main = program.FindWindowTitled("ZorvicV1.5", true);
    XSetInputFocus(display, main, RevertToParent, CurrentTime);
    TapChord(display, {XK_Control_L, XK_Alt_L}, XK_f);
    Report("Ctrl+B to full-screen editor mapped",
           MeasurePresses(program, display, presses, "图像编辑", false));
    XCloseDisplay(display);
    return 0;
}
