#include "Platform.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <ctime>
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

}  // namespace

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

}  // namespace lm::platform
