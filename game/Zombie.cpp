#include "Zombie.h"

#include "EnemyStats.h"
#include "engine/EventView.h"
#include "engine/WorldManager.h"

// Rolls 0 to 9: what the zombie does on each.
const Zombie::TurnTable Zombie::TURNS = {{
    {4, "The Zombie attacked!", Move::ATTACK},
    {6, "The Zombie defended!", Move::DEFEND},
    {9, "The Zombie regenerated!", Move::SPECIAL},
}};

Zombie::Zombie() {
    // Shown on screen until the zombie's first turn replaces it.
    showMessage("A Zombie appears!");
    setType("Zombie");
    setSprite("zombie");
    enterBattle(8, 1);
}

// Regeneration: 2 health back, never beyond the full health. No attack this turn.
void Zombie::specialAction() {
    setHealth(getHealth() + 2);
    if (getHealth() > getMaxHealth()) {
        setHealth(getMaxHealth());
    }
    lm::EventView view_event(ENEMY_HEALTH, getHealth(), false);
    lm::WorldManager::getInstance().onEvent(&view_event);
}

void Zombie::takeTurn() {
    takeTurnBy(TURNS);
}
