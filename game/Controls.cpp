#include "Controls.h"

#include "StartScreen.h"
#include "engine/EventKeyboard.h"
#include "engine/WorldManager.h"

Controls::Controls() {
    setType("Controls");
    setPosition(lm::Vector(20, 20));
    setSprite("controls");
}

int Controls::eventHandler(const lm::Event* p_event) {
    if (p_event->getType() != lm::KEYBOARD_EVENT) {
        return 0;
    }
    const auto* p_keyboard = static_cast<const lm::EventKeyboard*>(p_event);
    // C is what opened this screen; while it is still held it must not close it again.
    if (p_keyboard->getKeyboardAction() == lm::KEY_PRESSED &&
        p_keyboard->getKey() != lm::Keyboard::C) {
        new StartScreen;
        lm::WorldManager::getInstance().markForDelete(this);
    }
    return 1;
}
