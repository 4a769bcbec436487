#include "Event.h"

#include "Constants.h"

#include <utility>

namespace lm {

Event::Event() : event_type(UNDEFINED_EVENT) {}

Event::~Event() = default;

void Event::setType(std::string new_type) {
    event_type = std::move(new_type);
}

std::string Event::getType() const {
    return event_type;
}

}  // namespace lm
