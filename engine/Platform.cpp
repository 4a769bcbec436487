#include "Platform.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <ctime>
#endif

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <utility>
#define LM_PLATFORM_X11 1
#endif

namespace lm::platform {

namespace {

TimeSource* installed_source = nullptr;

/// The stop signals, and the one that came first (0 for none).
constexpr int STOP_SIGNALS[] = {
    SIGINT,
    SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
};
volatile std::sig_atomic_t stop_signal = 0;

extern "C" void onStopSignal(int signal_number) {
    if (stop_signal != 0) {
        // Asked twice: whatever the game is doing, it ends now.
        std::signal(signal_number, SIG_DFL);
        std::raise(signal_number);
        return;
    }
    stop_signal = signal_number;
}

#ifdef _WIN32

std::uint32_t systemMicroseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    const auto seconds = count.QuadPart / frequency.QuadPart;
    const auto rest = count.QuadPart % frequency.QuadPart;
    return static_cast<std::uint32_t>(seconds * 1000000 + rest * 1000000 / frequency.QuadPart);
}

void systemSleep(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

#else

std::uint32_t systemMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto micros = static_cast<std::uint64_t>(now.tv_sec) * 1000000u +
                        static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
    return static_cast<std::uint32_t>(micros);
}

void systemSleep(int milliseconds) {
    timespec remaining{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal may cut the sleep short; sleep out the rest.
    while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
    }
}

#endif

#ifdef LM_PLATFORM_X11

/// The engine's own connection to the X server for reading input, opened on first use and kept for
/// the run; null when there is no display.
Display* inputDisplay() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

/// The X key symbol of each key the engine reads, as the windowing library maps them; NoSymbol for
/// the rest.
KeySym keySymbol(sf::Keyboard::Key key) {
    if (key >= sf::Keyboard::A && key <= sf::Keyboard::Z) {
        return XK_a + (key - sf::Keyboard::A);
    }
    if (key >= sf::Keyboard::Num0 && key <= sf::Keyboard::Num9) {
        return XK_0 + (key - sf::Keyboard::Num0);
    }
    if (key >= sf::Keyboard::F1 && key <= sf::Keyboard::F12) {
        return XK_F1 + (key - sf::Keyboard::F1);
    }
    const std::pair<sf::Keyboard::Key, KeySym> others[] = {
        {sf::Keyboard::Space, XK_space},
        {sf::Keyboard::Enter, XK_Return},
        {sf::Keyboard::Escape, XK_Escape},
        {sf::Keyboard::Tab, XK_Tab},
        {sf::Keyboard::Left, XK_Left},
        {sf::Keyboard::Right, XK_Right},
        {sf::Keyboard::Up, XK_Up},
        {sf::Keyboard::Down, XK_Down},
        {sf::Keyboard::Pause, XK_Pause},
        {sf::Keyboard::Subtract, XK_KP_Subtract},
        {sf::Keyboard::Add, XK_KP_Add},
        {sf::Keyboard::Tilde, XK_grave},
        {sf::Keyboard::Period, XK_period},
        {sf::Keyboard::Comma, XK_comma},
        {sf::Keyboard::Slash, XK_slash},
        {sf::Keyboard::LControl, XK_Control_L},
        {sf::Keyboard::RControl, XK_Control_R},
        {sf::Keyboard::LShift, XK_Shift_L},
        {sf::Keyboard::RShift, XK_Shift_R},
    };
    for (const auto& [other, symbol] : others) {
        if (other == key) {
            return symbol;
        }
    }
    return NoSymbol;
}

#endif

}  // namespace

InputSnapshot::InputSnapshot()
    : key_bits{}, button_mask(0), pointer_position(0, 0), from_server(false) {
#ifdef LM_PLATFORM_X11
    Display* display = inputDisplay();
    if (display == nullptr) {
        return;
    }
    XQueryKeymap(display, key_bits.data());
    Window root = 0;
    Window child = 0;
    int window_x = 0;
    int window_y = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &pointer_position.x,
                  &pointer_position.y, &window_x, &window_y, &button_mask);
    from_server = true;
#endif
}

bool InputSnapshot::isKeyPressed(sf::Keyboard::Key key) const {
#ifdef LM_PLATFORM_X11
    const KeySym symbol = keySymbol(key);
    const KeyCode code =
        symbol == NoSymbol || !from_server ? 0 : XKeysymToKeycode(inputDisplay(), symbol);
    if (code != 0) {
        return (key_bits[code / 8] & (1 << (code % 8))) != 0;
    }
#endif
    return sf::Keyboard::isKeyPressed(key);
}

bool InputSnapshot::isButtonPressed(sf::Mouse::Button button) const {
#ifdef LM_PLATFORM_X11
    if (from_server) {
        switch (button) {
            case sf::Mouse::Left:
                return (button_mask & Button1Mask) != 0;
            case sf::Mouse::Middle:
                return (button_mask & Button2Mask) != 0;
            case sf::Mouse::Right:
                return (button_mask & Button3Mask) != 0;
            default:
                break;
        }
    }
#endif
    return sf::Mouse::isButtonPressed(button);
}

sf::Vector2i InputSnapshot::getPointerPosition() const {
    return from_server ? pointer_position : sf::Mouse::getPosition();
}

std::uint32_t microseconds() {
    return installed_source != nullptr ? installed_source->microseconds() : systemMicroseconds();
}

void sleepMilliseconds(int milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    if (installed_source != nullptr) {
        installed_source->sleepMilliseconds(milliseconds);
    } else {
        systemSleep(milliseconds);
    }
}

void beginTimerResolution() {
#ifdef _WIN32
    timeBeginPeriod(1);
#endif
    // Linux sleeps are accurate to well under a millisecond already.
}

void endTimerResolution() {
#ifdef _WIN32
    timeEndPeriod(1);
#endif
}

void catchStopSignals() {
    stop_signal = 0;
    for (const int signal_number : STOP_SIGNALS) {
        std::signal(signal_number, onStopSignal);
    }
}

void endStopSignals() {
    for (const int signal_number : STOP_SIGNALS) {
        std::signal(signal_number, SIG_DFL);
    }
}

const char* stopSignal() {
    switch (stop_signal) {
        case 0:
            return nullptr;
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        default:
            return "SIGHUP";
    }
}

void setTimeSource(TimeSource* source) {
    installed_source = source;
}

bool displayAvailable() {
#ifdef LM_PLATFORM_X11
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
#endif
    return true;
}

}  // namespace lm::platform
