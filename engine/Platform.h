#pragma once

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

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

/// From now on SIGINT, SIGTERM and SIGHUP (Ctrl-C in a terminal, a polite kill, a closed
/// terminal) only ask the game to stop, through stopSignal(): the game loop ends after the pass in
/// progress, so that the managers shut down in order and the log is complete. A second such signal
/// ends the program at once. Until endStopSignals.
void catchStopSignals();
void endStopSignals();

/// The name of the stop signal that came since catchStopSignals ("SIGTERM"), or null.
const char* stopSignal();

/// Whether a window can be opened at all: on X11 systems, whether the X display named by DISPLAY
/// answers. The windowing library aborts the program when it cannot reach the display, so the
/// display manager asks this first.
bool displayAvailable();

/// The keyboard and the mouse as they are at one moment. Asked key by key and button by button,
/// the windowing library makes one round trip to the X server per question (some 0.1 ms each); a
/// snapshot asks twice in all, once for the keys and once for the pointer.
class InputSnapshot {
public:
    /// Reads the keyboard and the mouse now.
    InputSnapshot();

    /// Whether the key was down when the snapshot was taken.
    bool isKeyPressed(sf::Keyboard::Key key) const;

    /// Whether the mouse button was down when the snapshot was taken.
    bool isButtonPressed(sf::Mouse::Button button) const;

    /// Where the pointer was on the desktop, in pixels.
    sf::Vector2i getPointerPosition() const;

private:
    std::array<char, 32> key_bits;  // one bit per X key code
    unsigned int button_mask;       // X pointer button bits
    sf::Vector2i pointer_position;  // on the desktop
    bool from_server;               // false: each question is asked of the windowing library
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
