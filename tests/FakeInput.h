#pragma once

#include <string>

/// Real input events, made by the X server's test extension exactly as if a keyboard and a mouse
/// were attached: the server's key map, pointer and focus are all involved. Each call returns when
/// the server has taken the event; false when it could not be sent.
namespace lm_test::fake_input {

/// Presses or releases the key with this X key name ("a", "Left", "Control_R", "KP_1"...).
bool key(const std::string& name, bool down);

/// Presses or releases a mouse button: 1 left, 2 middle, 3 right.
bool button(int number, bool down);

/// Moves the pointer to a position of the screen.
bool moveTo(int x, int y);

/// Waits until the window is on screen (two seconds at most) and gives it the keyboard focus, as
/// a click on it would under a window manager. False when it did not appear.
bool focus(unsigned long window);

/// A window of the test's own that takes the keyboard focus for its life, as a terminal or another
/// program's window does when the player turns to it.
class OtherWindow {
public:
    OtherWindow();
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    /// Whether it was made and has the focus.
    bool hasFocus() const;

private:
    unsigned long window;
};

/// Asks the window to close, as a window manager does when its close button is clicked: the
/// client message WM_PROTOCOLS / WM_DELETE_WINDOW.
bool requestClose(unsigned long window);

}  // namespace lm_test::fake_input
