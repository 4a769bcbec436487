#include "EventView.h"

#include "Constants.h"

#include <utility>

namespace lm {

EventView::EventView() : EventView(VIEW_EVENT, 0, false) {}

EventView::EventView(std::string init_tag, int init_value, bool init_delta)
    : tag(std::move(init_tag)), value(init_value), delta(init_delta) {
    setType(VIEW_EVENT);
}

void EventView::setTag(std::string new_tag) {
    tag = std::move(new_tag);
}

std::string EventView::getTag() const {
    return tag;
}

void EventView::setValue(int new_value) {
    value = new_value;
}

int EventView::getValue() const {
    return value;
}

void EventView::setDelta(bool new_delta) {
    delta = new_delta;
}

bool EventView::getDelta() const {
    return delta;
}

}  // namespace lm
