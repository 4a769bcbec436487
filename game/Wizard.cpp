#include "Wizard.h"

#include "engine/LogManager.h"

// Rolls 0 to 5: what the wizard does on each.
const Wizard::TurnTable Wizard::TURNS = {{
    {2, "The Wizard attacked!", Move::ATTACK},
    {3, "The Wizard defended", Move::DEFEND},
    {5, "The Wizard charged its staff", Move::SPECIAL},
}};

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
    takeTurnBy(TURNS);
}
