#pragma once

#include <string>

namespace lm {

/// Base of every event. An event names its kind by a type string; receivers compare it with the
/// type constants and then convert the event to its class. Events are made by their sender,
/// delivered, and destroyed within one call; nothing keeps or queues them.
class Event {
public:
    /// Type UNDEFINED_EVENT.
    Event();
    virtual ~Event();

    void setType(std::string new_type);
    std::string getType() const;

private:
    std::string event_type;
};

}  // namespace lm
