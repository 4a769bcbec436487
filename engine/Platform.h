#pragma once

#include <cstdint>

/// The few services of the operating system that the game loop needs: a monotonic clock, a sleep,
/// a request for a fine timer resolution during the run (where the system wants one), and the
/// signals that ask the program to stop.
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
