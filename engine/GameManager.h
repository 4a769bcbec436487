#pragma once

#include "Manager.h"

namespace lm {

/// Starts the other managers in a fixed order, runs the game loop at a fixed frame time until a
/// game object calls setGameOver(true), and stops the managers again in the reverse order.
class GameManager : public Manager {
public:
    static GameManager& getInstance();

    /// Starts the log, world, display, input and resource managers, in that order, and sets the
    /// world boundary to the display's size in cells. From here SIGINT, SIGTERM and SIGHUP end the
    /// game as game over does. Always 0: the managers' results are not looked at, and one that
    /// fails stays stopped.
    int startUp() override;

    /// Stops the resource, input, display, world (deleting the objects left) and log managers, in
    /// that order, and sets game over.
    void shutDown() override;

    /// The game loop. Each pass: a step event, input, world update, drawing, showing the frame;
    /// then a sleep for the rest of the frame time, carrying any overrun (up to three frames)
    /// into later passes. Ends after the pass in which game over was set or a stop signal came,
    /// and logs "GameManager: run ended".
    void run();

    void setGameOver(bool new_game_over = true);
    bool getGameOver() const;

    /// Milliseconds per pass of the loop.
    int getFrameTime() const;

private:
    GameManager();

    bool game_over;  // run ends after the pass in progress
    int frame_time;  // milliseconds per pass
};

}  // namespace lm
