#include "Hero.h"

#include "Battle.h"
#include "QuitKey.h"
#include "engine/Box.h"
#include "engine/EventKeyboard.h"
#include "engine/WorldManager.h"

#include <cstdlib>

namespace {

constexpr int ENCOUNTER_ODDS = 1000;  // one step in this many begins a battle
constexpr int ENCOUNTER_ROLL = 1;     // the roll that begins it
constexpr int ENEMY_ROLLS = 8;        // goblin 0-2, zombie 3-5, knight 6, wizard 7

bool in_battle = false;

}  // namespace

Hero::Hero() {
    setType("Hero");
    setSprite("hero");
    setPosition(lm::Vector(2, 2));
}

bool Hero::isInBattle() {
    return in_battle;
}

int Hero::eventHandler(const lm::Event* p_event) {
    if (p_event->getType() == lm::KEYBOARD_EVENT) {
        // Released keys carry no key and match nothing here.
        const int key = static_cast<const lm::EventKeyboard*>(p_event)->getKey();
        if (!quitOnQ(key)) {
            walk(key);
        }
        return 1;
    }
    if (p_event->getType() == lm::STEP_EVENT) {
        rollForEncounter();
        return 1;
    }
    return 0;
}

void Hero::walk(int key) {
    switch (key) {
        case lm::Keyboard::A:
            move(lm::Vector(-1, 0));
            break;
        case lm::Keyboard::D:
            move(lm::Vector(1, 0));
            break;
        case lm::Keyboard::W:
            move(lm::Vector(0, -1));
            break;
        case lm::Keyboard::S:
            move(lm::Vector(0, 1));
            break;
        default:
            break;
    }
}

void Hero::move(lm::Vector step) {
    const lm::Vector new_position = getPosition() + step;
    if (in_battle) {
        return;
    }
    // Only the coordinate that changes is checked; the hero never stands on the world's first or
    // last row or column.
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    const lm::Box boundary = world_manager.getBoundary();
    if (step.getX() != 0 &&
        !(0 < new_position.getX() && new_position.getX() < boundary.getHorizontal())) {
        return;
    }
    if (step.getY() != 0 &&
        !(0 < new_position.getY() && new_position.getY() < boundary.getVertical())) {
        return;
    }
    // Trees and the rock refuse the move; the bush and the grass let him through.
    world_manager.moveObject(this, new_position);
}

void Hero::rollForEncounter() {
    if (std::rand() % ENCOUNTER_ODDS == ENCOUNTER_ROLL && !in_battle) {
        Battle* p_battle = new Battle;
        const int enemy_roll = std::rand() % ENEMY_ROLLS;
        if (enemy_roll <= 2) {
            p_battle->spawnGoblin();
        } else if (enemy_roll <= 5) {
            p_battle->spawnZombie();
        } else if (enemy_roll == 6) {
            p_battle->spawnKnight();
        } else {
            p_battle->spawnWizard();
        }
        in_battle = true;
        return;
    }
    in_battle = !lm::WorldManager::getInstance().objectsOfType("Battle").empty();
}
