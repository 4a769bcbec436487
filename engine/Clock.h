#pragma once

#include <cstdint>

namespace lm {

/// A stopwatch in microseconds on the platform's monotonic clock. The game loop times each pass and
/// each sleep with it.
class Clock {
public:
    /// Starts timing from now.
    Clock();

    /// Microseconds since the previous lap (or construction); the next lap is timed from now.
    int lap();

    /// Microseconds since the previous lap (or construction); nothing is reset.
    int elapsed() const;

private:
    std::uint32_t previous_time;  // microseconds, modulo 2^32
};

}  // namespace lm
