#pragma once

#include "Constants.h"
#include "Event.h"
#include "Vector.h"

namespace lm {

/// Sent by the input manager when the mouse moves or a button is pressed or held.
class EventMouse : public Event {
public:
    /// Action UNDEFINED_MOUSE_ACTION, button UNDEFINED_MOUSE_BUTTON, position (0, 0).
    EventMouse();

    void setMouseAction(EventMouseAction new_action);
    EventMouseAction getMouseAction() const;
    void setMouseButton(Mouse::Button new_button);
    Mouse::Button getMouseButton() const;
    void setMousePosition(Vector new_xy);
    Vector getMousePosition() const;

private:
    EventMouseAction mouse_action;
    Mouse::Button mouse_button;
    Vector mouse_xy;  // pixels on the desktop
};

}  // namespace lm
