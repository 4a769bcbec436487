#pragma once

#include <string>

namespace lm {

class Event;

/// Base of every engine manager: a type name, a started flag, and the broadcast of events to every
/// object of the world. Each concrete manager is a single instance reached through its own
/// getInstance(), made on first use and kept until the program exits.
class Manager {
public:
    virtual ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    /// Marks the manager started; 0 on success, -1 on failure in the overrides.
    virtual int startUp();

    /// Marks the manager stopped.
    virtual void shutDown();

    bool isStarted() const;
    std::string getType() const;
    void setType(std::string new_type);

    /// Passes the event to every object of the world, in world-list order, and returns how many
    /// objects it was passed to. The list is copied first: an object created by a handler misses
    /// this event, and one marked for deletion still gets it. A handler may broadcast in turn; that
    /// inner broadcast ends before this one goes on.
    int onEvent(const Event* p_event) const;

protected:
    Manager();

private:
    std::string type;  // the concrete manager's class name
    bool is_started;   // between a successful startUp and the next shutDown
};

}  // namespace lm
