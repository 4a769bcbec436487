#pragma once

#include "engine/Object.h"

/// The title picture. Starts the game's music; C opens the controls screen, Q ends the game and
/// any other key lays out the overworld and starts walking.
class StartScreen : public lm::Object {
public:
    StartScreen();

    int eventHandler(const lm::Event* p_event) override;

private:
    void startGame();
};
