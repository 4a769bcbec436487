#pragma once

#include "Event.h"

namespace lm {

/// Sent by the world manager to an object whose box has just left the world boundary.
class EventOut : public Event {
public:
    EventOut();
};

}  // namespace lm
