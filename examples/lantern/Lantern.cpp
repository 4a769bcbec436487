#include "Lantern.h"

#include <algorithm>
#include <lumora/Box.h>
#include <lumora/Constants.h>
#include <lumora/DisplayManager.h>
#include <lumora/Event.h>
#include <lumora/EventKeyboard.h>
#include <lumora/GameManager.h>
#include <lumora/LogManager.h>
#include <lumora/Vector.h>
#include <lumora/WorldManager.h>
#include <string>

Lantern::Lantern() : steps(0) {
    setType("Lantern");
    setSprite("lantern");  // loaded by main under this label
    setPosition(lm::Vector(30, 20));
    setSolidness(lm::INTANGIBLE);
}

int Lantern::eventHandler(const lm::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == lm::STEP_EVENT) {
        // A pass begins with the step event: in the second pass the first frame is on screen.
        if (++steps == 2) {
            lm::LogManager::getInstance().writeLog("Lantern: first frame shown");
        }
        return 1;
    }
    if (type != lm::KEYBOARD_EVENT) {
        return 0;  // not for the lantern
    }
    const auto* p_key = static_cast<const lm::EventKeyboard*>(p_event);
    if (p_key->getKeyboardAction() != lm::KEY_PRESSED) {
        return 1;
    }
    switch (p_key->getKey()) {
        case lm::Keyboard::LEFTARROW:
        case lm::Keyboard::A:
            move(-1, 0);
            break;
        case lm::Keyboard::RIGHTARROW:
        case lm::Keyboard::D:
            move(1, 0);
            break;
        case lm::Keyboard::UPARROW:
        case lm::Keyboard::W:
            move(0, -1);
            break;
        case lm::Keyboard::DOWNARROW:
        case lm::Keyboard::S:
            move(0, 1);
            break;
        case lm::Keyboard::Q:
        case lm::Keyboard::ESCAPE:
            lm::GameManager::getInstance().setGameOver();
            break;
        default:
            break;
    }
    return 1;
}

int Lantern::draw() {
    const lm::Box view = lm::WorldManager::getInstance().getView();
    const lm::Vector help_position(view.getCorner().getX() + view.getHorizontal() / 2,
                                   view.getCorner().getY() + view.getVertical() - 1);
    lm::DisplayManager::getInstance().drawString(
        help_position, "arrows or WASD move the lantern, Q or Escape quits", lm::CENTER_JUSTIFIED,
        lm::WHITE);
    return Object::draw();
}

void Lantern::move(float dx, float dy) {
    // The sprite is drawn centred on the position: keep it whole and clear of the help line.
    const lm::Box view = lm::WorldManager::getInstance().getView();
    const float left = view.getCorner().getX() + 2;
    const float right = view.getCorner().getX() + view.getHorizontal() - 3;
    const float top = view.getCorner().getY() + 2;
    const float bottom = view.getCorner().getY() + view.getVertical() - 4;
    const lm::Vector position = getPosition();
    lm::WorldManager::getInstance().moveObject(
        this, lm::Vector(std::clamp(position.getX() + dx, left, right),
                         std::clamp(position.getY() + dy, top, bottom)));
}
