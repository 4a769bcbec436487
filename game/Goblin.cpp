#include "Goblin.h"

#include "engine/LogManager.h"

#include <cstdlib>

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
    clearMessage();
    const int roll = std::rand() % 5;
    if (roll <= 1) {
        showMessage("The Goblin attacked!");
        attack();
    } else if (roll <= 3) {
        showMessage("The Goblin defended!");
        defend();
    } else {
        showMessage("The Goblin inflicted a critical hit!");
        specialAction();
    }
}
