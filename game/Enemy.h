#pragma once

#include "engine/Object.h"

#include <string>

/// What every enemy shares: health, damage and a defending flag; taking the hero's hits; ending
/// the battle when its health runs out; and answering the hero's turn with its kind's decision.
class Enemy : public lm::Object {
public:
    Enemy();
    /// Writes "Enemy was defeated", whatever the reason the enemy leaves the world.
    ~Enemy() override;

    /// Takes the hero's attacks (halved while defending) and takes its turn when handed one.
    int eventHandler(const lm::Event* p_event) override;

    /// The kind's own move.
    virtual void specialAction() = 0;
    /// The kind's decision for one turn: a new battle message, then an attack, a defence or the
    /// special move.
    virtual void takeTurn() = 0;

    /// Hits the hero for the enemy's damage.
    void attack();
    /// Halves the next hit taken.
    void defend();

    int getHealth() const;
    void setHealth(int new_health);
    int getMaxHealth() const;
    void setMaxHealth(int new_max_health);
    int getDamage() const;
    void setDamage(int new_damage);

protected:
    /// Takes the enemy's place in the battle: to the right of the hero, at full health, shown on
    /// the enemy's health view.
    void enterBattle(int init_max_health, int init_damage);
    /// Removes the previous battle message.
    static void clearMessage();
    /// Shows a new battle message.
    static void showMessage(std::string message);

private:
    void takeHit(int hit);
    void endBattle();

    int health;      // the enemy is defeated at 0 or less
    int max_health;  // starting health, and the most regeneration gives back
    int damage;      // what its attack carries
    bool defending;  // the next hit taken is halved
};
