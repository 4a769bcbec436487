#include "Zombie.h"

#include "EnemyStats.h"
#include "engine/EventView.h"
#include "engine/WorldManager.h"

#include <cstdlib>

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
    clearMessage();
    const int roll = std::rand() % 10;
    if (roll <= 4) {
        showMessage("The Zombie attacked!");
        attack();
    } else if (roll <= 6) {
        showMessage("The Zombie defended!");
        defend();
    } else {
        showMessage("The Zombie regenerated!");
        specialAction();
    }
}
