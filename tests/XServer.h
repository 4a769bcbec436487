#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Window.hpp>

#include <string>

/// The tests' own connection to the X server, made when the test program starts and held for its
/// life: a server that resets whenever its last client leaves (as xvfb-run's does) then never
/// resets under a running test, and a program that starts while one resets waits for it. Through
/// it, real input (the X test extension: key map, pointer and focus all take part, as with a
/// keyboard and a mouse), and the windows of the test and of the program it plays.
namespace lm_test::x {

/// Presses or releases the key with this X key name ("a", "Left", "Control_R", "KP_1"...). Each
/// call returns when the server has taken the event; false when it could not be sent.
bool key(const std::string& name, bool down);

/// Presses or releases a mouse button: 1 left, 2 middle, 3 right.
bool button(int number, bool down);

/// Moves the pointer to a position of the screen.
bool moveTo(int x, int y);

/// Waits until the window is on screen (two seconds at most) and gives it the keyboard focus, as a
/// click on it would under a window manager. False when it did not appear.
bool focus(unsigned long window);

/// The window that has the keyboard focus.
unsigned long focused();

/// Asks the window to close, as a window manager does when its close button is clicked.
bool requestClose(unsigned long window);

/// The visible window with this title, waited for up to twenty seconds; 0 when none came.
unsigned long findWindow(const std::string& title);

/// The window's pixels at this instant, whole frame or not; empty when it cannot be read.
sf::Image capture(unsigned long window);

/// A window of the test's own that takes the keyboard focus for its life, as a terminal or another
/// program's window does when the player turns to it.
class OtherWindow {
public:
    OtherWindow() : window(sf::VideoMode(64, 64), "Another program") {
        window.setPosition(sf::Vector2i(0, 0));  // in a corner, clear of the window under test
        focus(window.getSystemHandle());
    }
    /// Whether it has the focus.
    bool hasFocus() const { return focused() == window.getSystemHandle(); }

private:
    sf::Window window;
};

}  // namespace lm_test::x
