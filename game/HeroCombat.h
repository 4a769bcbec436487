#pragma once

#include "Combatant.h"

/// The hero's figure in a battle, holding his battle health: 10 in every battle, and an attack of
/// 2. A attacks and D defends; either hands the turn to the enemy and is followed by a wait of 60
/// steps. Q ends the game. A defeat clears the world and goes back to the title screen.
class HeroCombat : public Combatant {
public:
    HeroCombat();
    /// After a defeat: removes every other object and puts up a new title screen.
    ~HeroCombat() override;

    int eventHandler(const lm::Event* p_event) override;

    /// Plays the hit sound and hits the enemy for the hero's damage.
    void attack();

private:
    /// A key pressed while the hero is ready for a command.
    void command(int key);
    /// A hit from the enemy.
    void takeEnemyHit(int hit);
    void handOverTurn();

    int cooldown;         // steps still to wait before a command is taken
    int cooldown_length;  // the wait after each command
};
