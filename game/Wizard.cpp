#include "Wizard.h"

#include "engine/LogManager.h"

#include <cstdlib>

Wizard::Wizard() {
    lm::LogManager::getInstance().writeLog("A Wizard appears!");
    setType("Wizard");
    setSprite("wizard");
    enterBattle(8, 2);
}

// Charges the staff: every later attack is 2 stronger, for the rest of the wizard's life. No
// attack this turn.
void Wizard::specialAction() {
    setDamage(getDamage() + 2);
}

void Wizard::takeTurn() {
    clearMessage();
    const int roll = std::rand() % 6;
    if (roll <= 2) {
        showMessage("The Wizard attacked!");
        attack();
    } else if (roll == 3) {
        showMessage("The Wizard defended");
        defend();
    } else {
        showMessage("The Wizard charged its staff");
        specialAction();
    }
}
