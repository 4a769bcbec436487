#pragma once

#include "Manager.h"

namespace lm {

/// Turns the keyboard and the mouse into events once per pass of the game loop. Needs the display
/// manager's window; without one there is nothing to read.
class InputManager : public Manager {
public:
    static InputManager& getInstance();

    /// -1, staying stopped, while the display manager is not started.
    int startUp() override;
    void shutDown() override;

    /// Reads the input once and broadcasts an event for each finding.
    void getInput();

private:
    InputManager();
};

}  // namespace lm
