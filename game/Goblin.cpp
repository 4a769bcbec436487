#include "Goblin.h"

#include "engine/LogManager.h"

// Rolls 0 to 4: what the goblin does on each.
const Goblin::TurnTable Goblin::TURNS = {{
    {1, "The Goblin attacked!", Move::ATTACK},
    {3, "The Goblin defended!", Move::DEFEND},
    {4, "The Goblin inflicted a critical hit!", Move::SPECIAL},
}};

Goblin::Goblin() {
    lm::LogManager::getInstance().writeLog("A Goblin appears!");
    setType("Goblin");
    setSprite("goblin");
    enterBattle(7, 2);
}

// A critical hit: one attack with double damage.
void Goblin::specialAction() {
    setDamage(getDamage() * 2);
    attack();
    setDamage(getDamage() / 2);
}

void Goblin::takeTurn() {
    takeTurnBy(TURNS);
}
