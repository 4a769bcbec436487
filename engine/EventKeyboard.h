#pragma once

#include "Constants.h"
#include "Event.h"

namespace lm {

/// Sent by the input manager for a key held down (KEY_PRESSED, every step) or released.
class EventKeyboard : public Event {
public:
    /// Key UNDEFINED_KEY, action UNDEFINED_KEYBOARD_ACTION.
    EventKeyboard();

    void setKey(Keyboard::Key new_key);
    Keyboard::Key getKey() const;
    void setKeyboardAction(EventKeyboardAction new_action);
    EventKeyboardAction getKeyboardAction() const;

private:
    Keyboard::Key key;
    EventKeyboardAction keyboard_action;
};

}  // namespace lm
