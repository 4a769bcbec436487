#include "InputSnapshot.h"

#if defined(__unix__) && !defined(__APPLE__)
#define LM_INPUT_FROM_X11 1
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <utility>
#endif

namespace lm {

#ifdef LM_INPUT_FROM_X11

namespace {

/// The engine's own connection to the X server for reading input, opened on first use and kept for
/// the run; null when there is no display.
Display* inputDisplay() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

/// The windowing library's other keys, by the X key symbol it reads for each.
const std::pair<sf::Keyboard::Key, KeySym> NAMED_KEYS[] = {
    {sf::Keyboard::Escape, XK_Escape},
    {sf::Keyboard::LControl, XK_Control_L},
    {sf::Keyboard::LShift, XK_Shift_L},
    {sf::Keyboard::LAlt, XK_Alt_L},
    {sf::Keyboard::RControl, XK_Control_R},
    {sf::Keyboard::RShift, XK_Shift_R},
    {sf::Keyboard::RAlt, XK_Alt_R},
    {sf::Keyboard::LBracket, XK_bracketleft},
    {sf::Keyboard::RBracket, XK_bracketright},
    {sf::Keyboard::Semicolon, XK_semicolon},
    {sf::Keyboard::Comma, XK_comma},
    {sf::Keyboard::Period, XK_period},
    {sf::Keyboard::Quote, XK_apostrophe},
    {sf::Keyboard::Slash, XK_slash},
    {sf::Keyboard::Backslash, XK_backslash},
    {sf::Keyboard::Tilde, XK_grave},
    {sf::Keyboard::Equal, XK_equal},
    {sf::Keyboard::Hyphen, XK_minus},
    {sf::Keyboard::Space, XK_space},
    {sf::Keyboard::Enter, XK_Return},
    {sf::Keyboard::Backspace, XK_BackSpace},
    {sf::Keyboard::Tab, XK_Tab},
    {sf::Keyboard::PageUp, XK_Prior},
    {sf::Keyboard::PageDown, XK_Next},
    {sf::Keyboard::End, XK_End},
    {sf::Keyboard::Home, XK_Home},
    {sf::Keyboard::Insert, XK_Insert},
    {sf::Keyboard::Delete, XK_Delete},
    {sf::Keyboard::Add, XK_KP_Add},
    {sf::Keyboard::Subtract, XK_KP_Subtract},
    {sf::Keyboard::Multiply, XK_KP_Multiply},
    {sf::Keyboard::Divide, XK_KP_Divide},
    {sf::Keyboard::Left, XK_Left},
    {sf::Keyboard::Right, XK_Right},
    {sf::Keyboard::Up, XK_Up},
    {sf::Keyboard::Down, XK_Down},
    {sf::Keyboard::Pause, XK_Pause},
};

/// The X key symbol that the windowing library reads for each of its keys; NoSymbol for the few
/// this does not translate, which are then asked of the library itself.
KeySym keySymbol(sf::Keyboard::Key key) {
    if (key >= sf::Keyboard::A && key <= sf::Keyboard::Z) {
        return XK_a + (key - sf::Keyboard::A);
    }
    if (key >= sf::Keyboard::Num0 && key <= sf::Keyboard::Num9) {
        return XK_0 + (key - sf::Keyboard::Num0);
    }
    if (key >= sf::Keyboard::F1 && key <= sf::Keyboard::F15) {
        return XK_F1 + (key - sf::Keyboard::F1);
    }
    for (const auto& [named, symbol] : NAMED_KEYS) {
        if (named == key) {
            return symbol;
        }
    }
    return NoSymbol;
}

}  // namespace

InputSnapshot::InputSnapshot()
    : key_bits{}, button_mask(0), pointer_position(0, 0), from_server(false) {
    Display* display = inputDisplay();
    if (display == nullptr) {
        return;
    }
    XQueryKeymap(display, key_bits.data());
    Window root = 0;
    Window child = 0;
    int window_x = 0;
    int window_y = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &pointer_position.x,
                  &pointer_position.y, &window_x, &window_y, &button_mask);
    from_server = true;
}

bool InputSnapshot::isKeyPressed(sf::Keyboard::Key key) const {
    const KeySym symbol = keySymbol(key);
    const KeyCode code =
        symbol == NoSymbol || !from_server ? 0 : XKeysymToKeycode(inputDisplay(), symbol);
    if (code == 0) {
        return sf::Keyboard::isKeyPressed(key);
    }
    return (key_bits[code / 8] & (1 << (code % 8))) != 0;
}

bool InputSnapshot::isButtonPressed(sf::Mouse::Button button) const {
    if (from_server) {
        switch (button) {
            case sf::Mouse::Left:
                return (button_mask & Button1Mask) != 0;
            case sf::Mouse::Middle:
                return (button_mask & Button2Mask) != 0;
            case sf::Mouse::Right:
                return (button_mask & Button3Mask) != 0;
            default:
                break;
        }
    }
    return sf::Mouse::isButtonPressed(button);
}

#else

InputSnapshot::InputSnapshot()
    : key_bits{}, button_mask(0), pointer_position(0, 0), from_server(false) {}

bool InputSnapshot::isKeyPressed(sf::Keyboard::Key key) const {
    return sf::Keyboard::isKeyPressed(key);
}

bool InputSnapshot::isButtonPressed(sf::Mouse::Button button) const {
    return sf::Mouse::isButtonPressed(button);
}

#endif

sf::Vector2i InputSnapshot::getPointerPosition() const {
    return from_server ? pointer_position : sf::Mouse::getPosition();
}

}  // namespace lm
