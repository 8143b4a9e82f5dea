// The real program, from the press of Ctrl+B (sent through XTest) to the window that the
// capture opens being mapped on the server: the region overlay and the full-screen editor, with
// the option "hide the main window" off and on, the main window on the screen before each press,
// on an X server with a window manager. Also how often the idle program wakes up.
// Everything counts here: the hook library noticing the key, the wait for the screen once the
// main window is hidden, the grab, the four quarter turns and the editor's first layout.
//
//     bench_program_capture [WIDTHxHEIGHT] [PRESSES] [PROGRAM]
#include "PrivateDisplay.h"
#include "ProgramUnderTest.h"
#include "X11TestTools.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace zorvic::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The client window with a title inside a top-level window (itself, or inside the window
// manager's frame); 0 when none has one.
Window TitledWithin(ProgramUnderTest& program, Display* display, Window window) {
    if (!program.TitleOf(window).empty()) return window;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = TitledWithin(program, display, children[i]);
    if (children) XFree(children);
    return found;
}

// Waits for the next top-level window to be mapped; its titled client, or 0 after ten seconds.
Window NextMappedWindow(ProgramUnderTest& program, Display* display, Clock::time_point& mappedAt) {
    const auto deadline = Clock::now() + 10s;
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                mappedAt = Clock::now();
                if (Window client = TitledWithin(program, display, event.xmap.window))
                    return client;
            }
        }
        std::this_thread::sleep_for(200us);
    }
    return 0;
}

// The first press of a run is shown apart: it pays for first-time allocations and layouts.
void Report(const std::string& what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::printf("%-48s first %6.1f ms", what.c_str(), ms.front());
    ms.erase(ms.begin());
    if (!ms.empty()) {
        std::sort(ms.begin(), ms.end());
        std::printf("   then median %6.1f   min %6.1f   max %6.1f   (%zu presses)",
                    ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    }
    std::printf("\n");
}

bool WaitUntilShown(ProgramUnderTest& program, Window window) {
    const auto deadline = Clock::now() + 5s;
    while (!program.IsShown(window) && Clock::now() < deadline)
        std::this_thread::sleep_for(2ms);
    return program.IsShown(window);
}

// Presses Ctrl+B `presses` times, each time with the main window on the screen; after each, the
// window titled `opens` must appear, and is closed again (by a close request, or Escape for the
// overlay).
std::vector<double> MeasurePresses(ProgramUnderTest& program, Display* display, Window main,
                                   int presses, const std::string& opens, bool closeWithEscape) {
    std::vector<double> ms;
    for (int i = 0; i < presses; ++i) {
        if (!WaitUntilShown(program, main)) {
            std::fprintf(stderr, "the main window did not come back\n");
            return ms;
        }
        // Idle in between, as a user's presses are far apart.
        std::this_thread::sleep_for(300ms);
        while (XPending(display)) {
            XEvent ignored;
            XNextEvent(display, &ignored);
        }
        const auto pressed = Clock::now();
        TapChord(display, {XK_Control_L}, XK_b);
        Clock::time_point mappedAt;
        Window window = 0;
        while ((window = NextMappedWindow(program, display, mappedAt)) &&
               program.TitleOf(window) != opens) {
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

// Voluntary context switches so far, of the main thread and of the whole process: each is a
// return from sleeping, a wake-up.
struct WakeUps {
    long MainThread = 0;
    long Process = 0;
};

long VoluntarySwitches(const std::filesystem::path& status) {
    std::ifstream file(status);
    for (std::string line; std::getline(file, line);)
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
            return std::stol(line.substr(line.find(':') + 1));
    return 0;
}

WakeUps CountWakeUps(pid_t pid) {
    WakeUps count;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        const long switches = VoluntarySwitches(task.path() / "status");
        count.Process += switches;
        if (task.path().filename() == std::to_string(pid)) count.MainThread = switches;
    }
    return count;
}

// Runs one program with the option set as asked and reports its rows.
bool MeasureProgram(const std::string& executable, int width, int height, int presses,
                    bool hideMainWindow) {
    PrivateDisplay server({.Width = width, .Height = height, .WindowManager = true});
    Display* display = XOpenDisplay(server.Name().c_str());
    ProgramUnderTest program(executable, display, server.Name());
    program.StoreStartOptions({.IncludeCursor = true, .HideMainWindow = hideMainWindow});
    const pid_t pid = program.Launch();
    const Window main = program.FindWindowTitled("ZorvicV1.5", true);
    if (!main) {
        std::fprintf(stderr, "the program did not start\n");
        XCloseDisplay(display);
        return false;
    }
    // A user's first press comes after the program has settled, and its warm-up is done.
    std::this_thread::sleep_for(1s);
    const std::string option = hideMainWindow ? ", hide on" : ", hide off";
    if (!hideMainWindow) {
        const WakeUps before = CountWakeUps(pid);
        std::this_thread::sleep_for(5s);
        const WakeUps after = CountWakeUps(pid);
        std::printf("idle wake-ups per second: main thread %.1f, whole process %.1f\n",
                    (after.MainThread - before.MainThread) / 5.0,
                    (after.Process - before.Process) / 5.0);
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // The program starts in region mode.
    Report("Ctrl+B to region overlay mapped" + option,
           MeasurePresses(program, display, main, presses, "Zorvic", true));
    // Full-screen mode by its button, the second of the mode panel below the menu bar.
    if (!WaitUntilShown(program, main)) return false;
    std::this_thread::sleep_for(300ms);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, main, &attributes);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, main, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    const int menuBarHeight = attributes.height - 288;
    MovePointer(display, {x + 69, y + menuBarHeight + 19 + 38});
    PressButton(display, true);
    PressButton(display, false);
    // Moved away at once, the pointer sometimes takes the click with it before Qt has seen it.
    std::this_thread::sleep_for(200ms);
    MovePointer(display, {width - 100, height - 100});
    Report("Ctrl+B to full-screen editor mapped" + option,
           MeasurePresses(program, display, main, presses, "图像编辑", false));
    XCloseDisplay(display);
    return true;
}

} // namespace
} // namespace zorvic::testing

int main(int argc, char** argv) {
    using namespace zorvic::testing;
    int width = 1920, height = 1080;
    if (argc > 1) std::sscanf(argv[1], "%dx%d", &width, &height);
    const int presses = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::string executable = argc > 3 ? argv[3] : ZORVIC_EXECUTABLE;
    std::printf("%dx%d, cursor drawn in, window manager jwm\n", width, height);
    for (const bool hide : {false, true})
        if (!MeasureProgram(executable, width, height, presses, hide)) return 1;
    return 0;
}
