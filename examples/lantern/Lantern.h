#pragma once

#include <lumora/Object.h>

/// A lantern the player carries around the window: the arrow keys or W, A, S, D move it one cell
/// a step while held, Q or Escape ends the game. Made with new; the world owns it.
class Lantern : public lm::Object {
public:
    Lantern();

    int eventHandler(const lm::Event* p_event) override;
    /// The lantern, and a line of help along the bottom of the view.
    int draw() override;

private:
    /// Moves by (dx, dy) cells, as far as the view allows.
    void move(float dx, float dy);

    int steps;  // passes of the game loop seen so far
};
