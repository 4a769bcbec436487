#include "Knight.h"

#include "engine/LogManager.h"

// Rolls 0 to 8: what the knight does on each.
const Knight::TurnTable Knight::TURNS = {{
    {2, "The Knight attacked!", Move::ATTACK},
    {6, "The Knight defended!", Move::DEFEND},
    {8, "The Knight attacked, then defended!", Move::SPECIAL},
}};

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
    takeTurnBy(TURNS);
}
