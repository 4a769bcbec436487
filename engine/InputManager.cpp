#include "InputManager.h"

#include "DisplayManager.h"

namespace lm {

InputManager::InputManager() {
    setType("InputManager");
}

InputManager& InputManager::getInstance() {
    static InputManager instance;
    return instance;
}

int InputManager::startUp() {
    DisplayManager& display_manager = DisplayManager::getInstance();
    if (!display_manager.isStarted() || display_manager.getWindow() == nullptr) {
        return -1;
    }
    display_manager.getWindow()->setKeyRepeatEnabled(false);
    return Manager::startUp();
}

void InputManager::shutDown() {
    Manager::shutDown();
    sf::RenderWindow* p_window = DisplayManager::getInstance().getWindow();
    if (p_window != nullptr) {
        p_window->setKeyRepeatEnabled(true);
    }
}

void InputManager::getInput() {
    // Keys and mouse are read through the display manager's window. This build makes no window
    // yet, so there is nothing to read and no event to send.
}

}  // namespace lm
