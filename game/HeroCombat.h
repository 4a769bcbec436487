#pragma once

#include "engine/Object.h"

/// The hero's figure in a battle, holding his battle health. A attacks and D defends; either hands
/// the turn to the enemy and is followed by a wait of 60 steps. Q ends the game. A defeat clears
/// the world and goes back to the title screen.
class HeroCombat : public lm::Object {
public:
    HeroCombat();
    /// After a defeat: removes every other object and puts up a new title screen.
    ~HeroCombat() override;

    int eventHandler(const lm::Event* p_event) override;

    /// Plays the hit sound and hits the enemy for the hero's damage.
    void attack();
    /// Halves the next hit taken.
    void defend();

    int getHealth() const;
    void setHealth(int new_health);
    int getMaxHealth() const;
    void setMaxHealth(int new_max_health);
    int getDamage() const;
    void setDamage(int new_damage);

private:
    void takeHit(int hit);
    void handOverTurn();

    int health;           // the hero is defeated at 0 or less
    int max_health;       // kept with the hero; no rule reads it
    int cooldown;         // steps still to wait before a command is taken
    int cooldown_length;  // the wait after each command
    int damage;           // what the hero's attack carries
    bool defending;       // the next hit taken is halved
};
