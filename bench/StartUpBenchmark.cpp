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

/// The window named "Lumora" among the top-level windows, or 0.
Window findWindow(Display* p_display) {
    Window root = 0;
    Window parent = 0;
    Window* p_children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(p_display, DefaultRootWindow(p_display), &root, &parent, &p_children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            char* p_name = nullptr;
            if (XFetchName(p_display, p_children[i], &p_name) && p_name != nullptr) {
                found = std::strcmp(p_name, "Lumora") == 0 ? p_children[i] : 0;
                XFree(p_name);
            }
        }
        XFree(p_children);
    }
    return found;
}

/// Whether the window shows anything but black.
bool showsSomething(Display* p_display, Window window) {
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
            window = window != 0 ? window : findWindow(p_display);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    XCloseDisplay(p_display);
}
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
