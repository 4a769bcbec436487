#pragma once

#include "Event.h"

namespace lm {

/// Sent to every object once per pass of the game loop, before input is read.
class EventStep : public Event {
public:
    /// Step count 0.
    EventStep();
    explicit EventStep(int init_step_count);

    void setStepCount(int new_step_count);
    int getStepCount() const;

private:
    int step_count;  // the game loop always sends 0
};

}  // namespace lm
