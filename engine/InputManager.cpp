#include "InputManager.h"

#include "Constants.h"
#include "DisplayManager.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "InputSnapshot.h"
#include "LogManager.h"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <iterator>

namespace lm {

namespace {

struct KeyMapping {
    Keyboard::Key key;
    sf::Keyboard::Key sfml_key;
};

/// Every key the engine reads, in the order it is tested: the arrows, the letters, then the rest
/// alphabetically by name.
constexpr KeyMapping KEYS_IN_TEST_ORDER[] = {
    {Keyboard::UPARROW, sf::Keyboard::Up},
    {Keyboard::LEFTARROW, sf::Keyboard::Left},
    {Keyboard::RIGHTARROW, sf::Keyboard::Right},
    {Keyboard::DOWNARROW, sf::Keyboard::Down},
    {Keyboard::A, sf::Keyboard::A},
    {Keyboard::B, sf::Keyboard::B},
    {Keyboard::C, sf::Keyboard::C},
    {Keyboard::D, sf::Keyboard::D},
    {Keyboard::E, sf::Keyboard::E},
    {Keyboard::F, sf::Keyboard::F},
    {Keyboard::G, sf::Keyboard::G},
    {Keyboard::H, sf::Keyboard::H},
    {Keyboard::I, sf::Keyboard::I},
    {Keyboard::J, sf::Keyboard::J},
    {Keyboard::K, sf::Keyboard::K},
    {Keyboard::L, sf::Keyboard::L},
    {Keyboard::M, sf::Keyboard::M},
    {Keyboard::N, sf::Keyboard::N},
    {Keyboard::O, sf::Keyboard::O},
    {Keyboard::P, sf::Keyboard::P},
    {Keyboard::Q, sf::Keyboard::Q},
    {Keyboard::R, sf::Keyboard::R},
    {Keyboard::S, sf::Keyboard::S},
    {Keyboard::T, sf::Keyboard::T},
    {Keyboard::U, sf::Keyboard::U},
    {Keyboard::V, sf::Keyboard::V},
    {Keyboard::W, sf::Keyboard::W},
    {Keyboard::X, sf::Keyboard::X},
    {Keyboard::Y, sf::Keyboard::Y},
    {Keyboard::Z, sf::Keyboard::Z},
    {Keyboard::COMMA, sf::Keyboard::Comma},
    {Keyboard::ESCAPE, sf::Keyboard::Escape},
    {Keyboard::F1, sf::Keyboard::F1},
    {Keyboard::F10, sf::Keyboard::F10},
    {Keyboard::F11, sf::Keyboard::F11},
    {Keyboard::F12, sf::Keyboard::F12},
    {Keyboard::F2, sf::Keyboard::F2},
    {Keyboard::F3, sf::Keyboard::F3},
    {Keyboard::F4, sf::Keyboard::F4},
    {Keyboard::F5, sf::Keyboard::F5},
    {Keyboard::F6, sf::Keyboard::F6},
    {Keyboard::F7, sf::Keyboard::F7},
    {Keyboard::F8, sf::Keyboard::F8},
    {Keyboard::F9, sf::Keyboard::F9},
    {Keyboard::LEFTCONTROL, sf::Keyboard::LControl},
    {Keyboard::LEFTSHIFT, sf::Keyboard::LShift},
    {Keyboard::MINUS, sf::Keyboard::Subtract},
    {Keyboard::NUM0, sf::Keyboard::Num0},
    {Keyboard::NUM1, sf::Keyboard::Num1},
    {Keyboard::NUM2, sf::Keyboard::Num2},
    {Keyboard::NUM3, sf::Keyboard::Num3},
    {Keyboard::NUM4, sf::Keyboard::Num4},
    {Keyboard::NUM5, sf::Keyboard::Num5},
    {Keyboard::NUM6, sf::Keyboard::Num6},
    {Keyboard::NUM7, sf::Keyboard::Num7},
    {Keyboard::NUM8, sf::Keyboard::Num8},
    {Keyboard::NUM9, sf::Keyboard::Num9},
    {Keyboard::PAUSE, sf::Keyboard::Pause},
    {Keyboard::PERIOD, sf::Keyboard::Period},
    {Keyboard::PLUS, sf::Keyboard::Add},
    {Keyboard::RETURN, sf::Keyboard::Enter},
    {Keyboard::RIGHTCONTROL, sf::Keyboard::RControl},
    {Keyboard::RIGHTSHIFT, sf::Keyboard::RShift},
    {Keyboard::SLASH, sf::Keyboard::Slash},
    {Keyboard::SPACE, sf::Keyboard::Space},
    {Keyboard::TAB, sf::Keyboard::Tab},
    {Keyboard::TILDE, sf::Keyboard::Tilde},
};
static_assert(std::size(KEYS_IN_TEST_ORDER) == Keyboard::NUM0 + 1, "every key is read once");

struct ButtonMapping {
    Mouse::Button button;
    sf::Mouse::Button sfml_button;
};

constexpr ButtonMapping BUTTONS_IN_TEST_ORDER[] = {
    {Mouse::LEFT, sf::Mouse::Left},
    {Mouse::RIGHT, sf::Mouse::Right},
    {Mouse::MIDDLE, sf::Mouse::Middle},
};

}  // namespace

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
    sf::RenderWindow* p_window = DisplayManager::getInstance().getWindow();
    if (p_window == nullptr || !p_window->isOpen()) {
        return;
    }
    readQueue(*p_window);
    // Keys and buttons held down are the whole desktop's: while another window has the focus,
    // what is typed there is not for the game.
    if (p_window->hasFocus()) {
        readHeld(InputSnapshot());
    }
}

void InputManager::readQueue(sf::Window& window) const {
    sf::Event event;
    while (window.pollEvent(event)) {
        switch (event.type) {
            case sf::Event::KeyReleased: {
                EventKeyboard keyboard;  // the released key is not reported
                keyboard.setKeyboardAction(KEY_RELEASED);
                onEvent(&keyboard);
                break;
            }
            case sf::Event::MouseMoved:
            case sf::Event::MouseButtonPressed: {
                // Neither says where or which button.
                EventMouse mouse;
                mouse.setMouseAction(event.type == sf::Event::MouseMoved ? MOVED : PRESSED);
                onEvent(&mouse);
                break;
            }
            case sf::Event::Closed:
                // The title bar's close button: the player wants out, so the game ends after this
                // pass.
                LogManager::getInstance().writeLog("InputManager: window closed, ending the game");
                GameManager::getInstance().setGameOver(true);
                break;
            default:
                break;
        }
    }
}

void InputManager::readHeld(const InputSnapshot& input_now) const {
    for (const KeyMapping& mapping : KEYS_IN_TEST_ORDER) {
        if (input_now.isKeyPressed(mapping.sfml_key)) {
            EventKeyboard keyboard;
            keyboard.setKeyboardAction(KEY_PRESSED);
            keyboard.setKey(mapping.key);
            onEvent(&keyboard);
        }
    }
    for (const ButtonMapping& mapping : BUTTONS_IN_TEST_ORDER) {
        if (input_now.isButtonPressed(mapping.sfml_button)) {
            const sf::Vector2i desktop_position = input_now.getPointerPosition();
            EventMouse mouse;
            mouse.setMouseAction(PRESSED);
            mouse.setMouseButton(mapping.button);
            mouse.setMousePosition(Vector(static_cast<float>(desktop_position.x),
                                          static_cast<float>(desktop_position.y)));
            onEvent(&mouse);
        }
    }
}

}  // namespace lm
