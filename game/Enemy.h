#pragma once

#include "Combatant.h"

#include <array>
#include <string>

/// What every enemy shares: taking the hero's hits (halved while defending), ending the battle
/// when its health runs out, and answering the hero's turn by its kind's turn table.
class Enemy : public Combatant {
public:
    Enemy();
    /// Writes "Enemy was defeated", whatever the reason the enemy leaves the world.
    ~Enemy() override;

    /// Takes the hero's attacks and takes its turn when handed one.
    int eventHandler(const lm::Event* p_event) override;

    /// The kind's own move.
    virtual void specialAction() = 0;
    /// The kind's decision for one turn: a new battle message, then an attack, a defence or the
    /// special move.
    virtual void takeTurn() = 0;

    /// Hits the hero for the enemy's damage.
    void attack();

protected:
    /// What an enemy may do on its turn.
    enum class Move { ATTACK, DEFEND, SPECIAL };

    /// One row of a kind's turn table: the rolls from just after the row before up to last_roll
    /// show the message and make the move.
    struct TurnChoice {
        int last_roll;
        const char* message;
        Move move;
    };
    using TurnTable = std::array<TurnChoice, 3>;

    /// Takes the enemy's place in the battle: to the right of the hero, at full health, shown on
    /// the enemy's health view.
    void enterBattle(int init_max_health, int init_damage);

    /// One turn by the kind's table: the previous battle message goes, rand() picks a row from
    /// as many rolls as the table covers, and the row's message is shown before its move is made.
    void takeTurnBy(const TurnTable& table);

    /// Shows a new battle message.
    static void showMessage(std::string message);

private:
    /// A hit from the hero.
    void takeHeroHit(int hit);
    void endBattle();
};
