#pragma once

#include "engine/Object.h"

/// The battle scene's backdrop, laid over the overworld at the centre of the view. It starts the
/// battle music and lays out the hero's battle figure and both health views; the encounter then
/// asks it for one enemy.
class Battle : public lm::Object {
public:
    Battle();
    /// Stops the battle music, unless a title screen already plays it again.
    ~Battle() override;

    void spawnGoblin();
    void spawnKnight();
    void spawnWizard();
    void spawnZombie();
};
