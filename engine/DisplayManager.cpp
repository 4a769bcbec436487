#include "DisplayManager.h"

namespace lm {

DisplayManager::DisplayManager()
    : p_window(nullptr),
      window_horizontal_chars(WINDOW_HORIZONTAL_CHARS_DEFAULT),
      window_vertical_chars(WINDOW_VERTICAL_CHARS_DEFAULT) {
    setType("DisplayManager");
}

DisplayManager& DisplayManager::getInstance() {
    static DisplayManager instance;
    return instance;
}

int DisplayManager::startUp() {
    return p_window != nullptr ? 0 : -1;
}

void DisplayManager::shutDown() {
    if (p_window != nullptr) {
        Manager::shutDown();
    }
}

int DisplayManager::drawCh(Vector /*world_pos*/, char /*ch*/, Color /*color*/) const {
    return p_window != nullptr ? 0 : -1;
}

int DisplayManager::swapBuffers() {
    return p_window != nullptr ? 0 : -1;
}

int DisplayManager::getHorizontal() const {
    return window_horizontal_chars;
}

int DisplayManager::getVertical() const {
    return window_vertical_chars;
}

sf::RenderWindow* DisplayManager::getWindow() const {
    return p_window;
}

}  // namespace lm
