#pragma once

#include "Event.h"

#include <string>

namespace lm {

/// Asks the view objects whose label equals the tag to change their value.
class EventView : public Event {
public:
    /// Tag VIEW_EVENT, value 0, delta false.
    EventView();
    EventView(std::string init_tag, int init_value, bool init_delta);

    void setTag(std::string new_tag);
    std::string getTag() const;
    void setValue(int new_value);
    int getValue() const;
    void setDelta(bool new_delta);
    bool getDelta() const;

private:
    std::string tag;  // label of the views to update
    int value;
    bool delta;  // true: add value to the shown value; false: replace it
};

}  // namespace lm
