#include "Enemy.h"

#include "EnemyStats.h"
#include "EventAttack.h"
#include "EventLog.h"
#include "EventTurn.h"
#include "engine/DisplayManager.h"
#include "engine/EventView.h"
#include "engine/LogManager.h"
#include "engine/WorldManager.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace {

// Every object that makes up a battle; a victory removes exactly these.
const std::array<std::string, 9> BATTLE_TYPES = {
    "Battle",     "Goblin",   "Zombie",      "Knight",     "Wizard",
    "HeroCombat", "EventLog", "PlayerStats", "EnemyStats",
};

}  // namespace

Enemy::Enemy() : Combatant(0, 0) {}

Enemy::~Enemy() {
    lm::LogManager::getInstance().writeLog("Enemy was defeated");
}

int Enemy::eventHandler(const lm::Event* p_event) {
    if (p_event->getType() == ATTACK_EVENT) {
        const auto* p_attack = static_cast<const EventAttack*>(p_event);
        // The enemy's own attacks pass it by.
        if (p_attack->getAttacker()->getType() == "HeroCombat") {
            takeHeroHit(p_attack->getDamage());
        }
        return 1;
    }
    if (p_event->getType() == TURN_EVENT && getHealth() >= 1) {
        takeTurn();
        return 1;
    }
    return 0;
}

void Enemy::takeHeroHit(int hit) {
    const int loss = takeHit(hit);
    lm::LogManager::getInstance().writeLog("The Hero deals %d damage", loss);
    lm::EventView view_event(ENEMY_HEALTH, -loss, true);
    lm::WorldManager::getInstance().onEvent(&view_event);
    if (getHealth() <= 0) {
        endBattle();
    }
}

void Enemy::endBattle() {
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.markForDelete(this);
    for (lm::Object* p_object : world_manager.getAllObjects()) {
        const std::string object_type = p_object->getType();
        if (std::find(BATTLE_TYPES.begin(), BATTLE_TYPES.end(), object_type) !=
            BATTLE_TYPES.end()) {
            world_manager.markForDelete(p_object);
        }
    }
}

void Enemy::attack() {
    strike();
}

void Enemy::enterBattle(int init_max_health, int init_damage) {
    setAltitude(4);
    setPosition(lm::DisplayManager::getInstance().viewToWorld(lm::Vector(40, 20)));
    setMaxHealth(init_max_health);
    setHealth(init_max_health);
    lm::EventView view_event(ENEMY_HEALTH, init_max_health, false);
    lm::WorldManager::getInstance().onEvent(&view_event);
    setDamage(init_damage);
}

void Enemy::takeTurnBy(const TurnTable& table) {
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    for (lm::Object* p_object : world_manager.objectsOfType("EventLog")) {
        world_manager.markForDelete(p_object);
    }
    const int roll = std::rand() % (table.back().last_roll + 1);
    const TurnChoice& choice =
        *std::find_if(table.begin(), table.end(),
                      [roll](const TurnChoice& row) { return roll <= row.last_roll; });
    showMessage(choice.message);
    switch (choice.move) {
        case Move::ATTACK:
            attack();
            break;
        case Move::DEFEND:
            defend();
            break;
        case Move::SPECIAL:
            specialAction();
            break;
    }
}

void Enemy::showMessage(std::string message) {
    new EventLog(std::move(message));
}
