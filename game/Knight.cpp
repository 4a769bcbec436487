#include "Knight.h"

#include "engine/LogManager.h"

#include <cstdlib>

Knight::Knight() {
    lm::LogManager::getInstance().writeLog("A Knight appears!");
    setType("Knight");
    setSprite("knight");
    enterBattle(9, 3);
}

// Attacks, then raises its shield: its next hit taken is halved.
void Knight::specialAction() {
    attack();
    defend();
}

void Knight::takeTurn() {
    clearMessage();
    const int roll = std::rand() % 9;
    if (roll <= 2) {
        showMessage("The Knight attacked!");
        attack();
    } else if (roll <= 6) {
        showMessage("The Knight defended!");
        defend();
    } else {
        showMessage("The Knight attacked, then defended!");
        specialAction();
    }
}
