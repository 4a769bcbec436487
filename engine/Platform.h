#pragma once

#include <SFML/Window/Keyboard.hpp>

#include <array>
#include <cstdint>

/// The few services of the operating system that the engine needs: a monotonic clock, a sleep, a
/// request for a fine timer resolution during the run (where the system wants one), and whether a
/// display is there to open a window on.
namespace lm::platform {

/// Microseconds on a monotonic clock, modulo 2^32. Only differences of two readings mean anything;
/// taken in unsigned 32-bit arithmetic they are true durations up to about 71 minutes.
std::uint32_t microseconds();

/// Suspends the thread for about this many milliseconds; does nothing for 0 or less.
void sleepMilliseconds(int milliseconds);

/// Asks for a 1-millisecond timer and sleep resolution until endTimerResolution.
void beginTimerResolution();
void endTimerResolution();

/// Whether a window can be opened at all: on X11 systems, whether the X display named by DISPLAY
/// answers. The windowing library aborts the program when it cannot reach the display, so the
/// display manager asks this first.
bool displayAvailable();

/// Which keys are down at one moment. Asked key by key, the windowing library makes one round trip
/// to the X server per key (some 0.1 ms each); a snapshot asks once for the whole keyboard.
class KeyboardSnapshot {
public:
    /// Reads the keyboard now.
    KeyboardSnapshot();

    /// Whether the key was down when the snapshot was taken.
    bool isKeyPressed(sf::Keyboard::Key key) const;

private:
    std::array<char, 32> key_bits;  // one bit per X key code
    bool have_key_bits;             // false: each key is asked of the windowing library instead
};

/// A source of time and sleep. The system's is used unless another is installed.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual std::uint32_t microseconds() = 0;
    virtual void sleepMilliseconds(int milliseconds) = 0;
};

/// Installs a source for microseconds() and sleepMilliseconds() (tests use a scripted one);
/// nullptr goes back to the system's. The source is not owned and must outlive its use.
void setTimeSource(TimeSource* source);

}  // namespace lm::platform
