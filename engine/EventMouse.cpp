#include "EventMouse.h"

namespace lm {

EventMouse::EventMouse()
    : mouse_action(UNDEFINED_MOUSE_ACTION), mouse_button(Mouse::UNDEFINED_MOUSE_BUTTON) {
    setType(MOUSE_EVENT);
}

void EventMouse::setMouseAction(EventMouseAction new_action) {
    mouse_action = new_action;
}

EventMouseAction EventMouse::getMouseAction() const {
    return mouse_action;
}

void EventMouse::setMouseButton(Mouse::Button new_button) {
    mouse_button = new_button;
}

Mouse::Button EventMouse::getMouseButton() const {
    return mouse_button;
}

void EventMouse::setMousePosition(Vector new_xy) {
    mouse_xy = new_xy;
}

Vector EventMouse::getMousePosition() const {
    return mouse_xy;
}

}  // namespace lm
