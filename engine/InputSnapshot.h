#pragma once

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <array>

namespace lm {

/// The keyboard and the mouse as they are at one moment, for the input manager. Asked key by key
/// and button by button, the windowing library makes one round trip to the X server per question
/// (some 0.1 ms each); a snapshot asks twice in all, once for the keys and once for the pointer.
/// Where there is no X server, each question goes to the windowing library.
class InputSnapshot {
public:
    /// Reads the keyboard and the mouse now.
    InputSnapshot();

    /// Whether the key was down when the snapshot was taken.
    bool isKeyPressed(sf::Keyboard::Key key) const;

    /// Whether the mouse button was down when the snapshot was taken.
    bool isButtonPressed(sf::Mouse::Button button) const;

    /// Where the pointer was on the desktop, in pixels.
    sf::Vector2i getPointerPosition() const;

private:
    std::array<char, 32> key_bits;  // one bit per X key code
    unsigned int button_mask;       // X pointer button bits
    sf::Vector2i pointer_position;  // on the desktop
    bool from_server;               // false: each question is asked of the windowing library
};

}  // namespace lm
