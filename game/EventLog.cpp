#include "EventLog.h"

#include <utility>

EventLog::EventLog(std::string message) {
    setViewString(std::move(message));
    setType("EventLog");
    setLocation(lm::BOTTOM_LEFT);
}
