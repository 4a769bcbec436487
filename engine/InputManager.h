#pragma once

#include "Manager.h"

namespace sf {
class Window;
}

namespace lm {

class InputSnapshot;

/// Turns the keyboard and the mouse into events once per pass of the game loop, read through the
/// display manager's window.
///
/// Keys are level-triggered: every mapped key held down gives a KEY_PRESSED event on every pass,
/// while the window has the keyboard focus. From the window's queue only key releases (key
/// unknown), mouse moves and mouse button presses become events; a request to close the window
/// ends the game.
class InputManager : public Manager {
public:
    static InputManager& getInstance();

    /// Turns the window's key repeat off. -1, staying stopped, while the display manager is not
    /// started.
    int startUp() override;

    /// Turns the window's key repeat back on, when there is a window.
    void shutDown() override;

    /// Reads the input once and broadcasts an event for each finding, in this order: the queued
    /// releases, moves and presses; the keys held down; the mouse buttons held down, with the
    /// mouse's position on the desktop in pixels. Keys and buttons held down are read only while
    /// the window has the focus. Does nothing without a window.
    void getInput();

private:
    InputManager();

    /// Broadcasts what the window's queue holds, emptying it.
    void readQueue(sf::Window& window) const;
    /// Broadcasts the keys and the mouse buttons held down.
    void readHeld(const InputSnapshot& input_now) const;
};

}  // namespace lm
