#pragma once

#include "engine/Object.h"

/// One side of a battle: its health, the damage its attack carries, and its guard. The hero's
/// battle figure and every enemy are combatants.
class Combatant : public lm::Object {
public:
    int getHealth() const;
    void setHealth(int new_health);
    int getMaxHealth() const;
    void setMaxHealth(int new_max_health);
    int getDamage() const;
    void setDamage(int new_damage);

    /// Halves the next hit taken, however many turns later it comes.
    void defend();

protected:
    /// At full health.
    Combatant(int init_max_health, int init_damage);

    /// Takes a hit: half of it, truncated, while defending, which the hit ends. The health lost.
    int takeHit(int hit);

    /// Hits the other side for this combatant's damage: an attack event to every object.
    void strike();

private:
    int health;      // defeated at 0 or less
    int max_health;  // the starting health
    int damage;      // what an attack carries
    bool defending;  // the next hit taken is halved
};
