#include "EventKeyboard.h"

namespace lm {

EventKeyboard::EventKeyboard()
    : key(Keyboard::UNDEFINED_KEY), keyboard_action(UNDEFINED_KEYBOARD_ACTION) {
    setType(KEYBOARD_EVENT);
}

void EventKeyboard::setKey(Keyboard::Key new_key) {
    key = new_key;
}

Keyboard::Key EventKeyboard::getKey() const {
    return key;
}

void EventKeyboard::setKeyboardAction(EventKeyboardAction new_action) {
    keyboard_action = new_action;
}

EventKeyboardAction EventKeyboard::getKeyboardAction() const {
    return keyboard_action;
}

}  // namespace lm
