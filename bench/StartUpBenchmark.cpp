// How long the real program takes from its start to its first frame on screen: it is started as
// a player starts it, and the clock stops when its window shows the title.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

/// A window that vanishes between two requests is no reason to stop.
int ignoreErrors(Display* /*p_display*/, XErrorEvent* /*p_error*/) {
    return 0;
}

/// A window named "Lumora" among the top-level windows, other than the one given, or 0.
Window findWindow(Display* p_display, Window other) {
    Window root = 0;
    Window parent = 0;
    Window* p_children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(p_display, DefaultRootWindow(p_display), &root, &parent, &p_children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            char* p_name = nullptr;
            if (XFetchName(p_display, p_children[i], &p_name) && p_name != nullptr) {
                const bool named = std::strcmp(p_name, "Lumora") == 0;
                found = named && p_children[i] != other ? p_children[i] : 0;
                XFree(p_name);
            }
        }
        XFree(p_children);
    }
    return found;
}

/// Whether the window is on screen and shows anything but black.
bool showsSomething(Display* p_display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(p_display, window, &attributes) ||
        attributes.map_state != IsViewable) {
        return false;
    }
    XImage* p_image = XGetImage(p_display, window, 0, 0, 540, 680, AllPlanes, ZPixmap);
    if (p_image == nullptr) {
        return false;
    }
    bool lit = false;
    for (int y = 0; y < 680 && !lit; y += 2) {
        for (int x = 0; x < 540 && !lit; x += 2) {
            lit = XGetPixel(p_image, x, y) != 0;
        }
    }
    XDestroyImage(p_image);
    return lit;
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
    Display* p_display = XOpenDisplay(nullptr);
    if (p_display == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    XSetErrorHandler(ignoreErrors);
    // The frame benchmarks' own window, if they ran first, has the same name.
    const Window own = findWindow(p_display, 0);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("ALSOFT_DRIVERS", "null", 0);
            execl(LUMORA_PROGRAM, LUMORA_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
        Window window = 0;
        while (window == 0 || !showsSomething(p_display, window)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            window = window != 0 ? window : findWindow(p_display, own);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        // The next start must not find this window still standing.
        while (findWindow(p_display, own) != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    XCloseDisplay(p_display);
}
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
