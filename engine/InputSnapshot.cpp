#include "InputSnapshot.h"

#if defined(__unix__) && !defined(__APPLE__)
#define LM_INPUT_FROM_X11 1
#include <X11/Xlib.h>
#include <X11/keysym.h>
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
    switch (key) {
        case sf::Keyboard::Escape:
            return XK_Escape;
        case sf::Keyboard::LControl:
            return XK_Control_L;
        case sf::Keyboard::LShift:
            return XK_Shift_L;
        case sf::Keyboard::LAlt:
            return XK_Alt_L;
        case sf::Keyboard::RControl:
            return XK_Control_R;
        case sf::Keyboard::RShift:
            return XK_Shift_R;
        case sf::Keyboard::RAlt:
            return XK_Alt_R;
        case sf::Keyboard::LBracket:
            return XK_bracketleft;
        case sf::Keyboard::RBracket:
            return XK_bracketright;
        case sf::Keyboard::Semicolon:
            return XK_semicolon;
        case sf::Keyboard::Comma:
            return XK_comma;
        case sf::Keyboard::Period:
            return XK_period;
        case sf::Keyboard::Quote:
            return XK_apostrophe;
        case sf::Keyboard::Slash:
            return XK_slash;
        case sf::Keyboard::Backslash:
            return XK_backslash;
        case sf::Keyboard::Tilde:
            return XK_grave;
        case sf::Keyboard::Equal:
            return XK_equal;
        case sf::Keyboard::Hyphen:
            return XK_minus;
        case sf::Keyboard::Space:
            return XK_space;
        case sf::Keyboard::Enter:
            return XK_Return;
        case sf::Keyboard::Backspace:
            return XK_BackSpace;
        case sf::Keyboard::Tab:
            return XK_Tab;
        case sf::Keyboard::PageUp:
            return XK_Prior;
        case sf::Keyboard::PageDown:
            return XK_Next;
        case sf::Keyboard::End:
            return XK_End;
        case sf::Keyboard::Home:
            return XK_Home;
        case sf::Keyboard::Insert:
            return XK_Insert;
        case sf::Keyboard::Delete:
            return XK_Delete;
        case sf::Keyboard::Add:
            return XK_KP_Add;
        case sf::Keyboard::Subtract:
            return XK_KP_Subtract;
        case sf::Keyboard::Multiply:
            return XK_KP_Multiply;
        case sf::Keyboard::Divide:
            return XK_KP_Divide;
        case sf::Keyboard::Left:
            return XK_Left;
        case sf::Keyboard::Right:
            return XK_Right;
        case sf::Keyboard::Up:
            return XK_Up;
        case sf::Keyboard::Down:
            return XK_Down;
        case sf::Keyboard::Pause:
            return XK_Pause;
        default:
            return NoSymbol;
    }
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
