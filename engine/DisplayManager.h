#pragma once

#include "Constants.h"
#include "Manager.h"
#include "Vector.h"

#include <SFML/Graphics/RenderWindow.hpp>

namespace lm {

/// Owns the game's window and draws the world as a grid of character cells.
///
/// This build is headless: no window is made yet, so drawing and showing a frame report -1 just as
/// they do whenever there is no window, and the game loop runs without a picture.
class DisplayManager : public Manager {
public:
    static DisplayManager& getInstance();

    /// Would open the window; -1, since this build makes none.
    int startUp() override;
    void shutDown() override;

    /// Draws one character cell at a world position; -1 when there is no window.
    int drawCh(Vector world_pos, char ch, Color color) const;

    /// Shows the finished frame and clears the next; -1 when there is no window.
    int swapBuffers();

    /// Size of the cell grid: 60 across, 80 down.
    int getHorizontal() const;
    int getVertical() const;

    /// The window, or null when there is none.
    sf::RenderWindow* getWindow() const;

private:
    DisplayManager();

    sf::RenderWindow* p_window;   // null: no window
    int window_horizontal_chars;  // width of the cell grid
    int window_vertical_chars;    // height of the cell grid
};

}  // namespace lm
