#include "Clock.h"

#include "Platform.h"

namespace lm {

Clock::Clock() : previous_time(platform::microseconds()) {}

int Clock::lap() {
    const std::uint32_t now = platform::microseconds();
    // Unsigned subtraction gives the true duration across the counter's wrap-around.
    const std::uint32_t difference = now - previous_time;
    previous_time = now;
    return static_cast<int>(difference);
}

int Clock::elapsed() const {
    return static_cast<int>(platform::microseconds() - previous_time);
}

}  // namespace lm
