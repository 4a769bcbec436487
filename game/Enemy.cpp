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
#include <utility>

namespace {

// Every object that makes up a battle; a victory removes exactly these.
const std::array<std::string, 9> BATTLE_TYPES = {
    "Battle",     "Goblin",   "Zombie",      "Knight",     "Wizard",
    "HeroCombat", "EventLog", "PlayerStats", "EnemyStats",
};

}  // namespace

Enemy::Enemy() : health(0), max_health(0), damage(0), defending(false) {}

Enemy::~Enemy() {
    lm::LogManager::getInstance().writeLog("Enemy was defeated");
}

int Enemy::eventHandler(const lm::Event* p_event) {
    if (p_event->getType() == ATTACK_EVENT) {
        const auto* p_attack = static_cast<const EventAttack*>(p_event);
        // The enemy's own attacks pass it by.
        if (p_attack->getAttacker()->getType() == "HeroCombat") {
            takeHit(p_attack->getDamage());
        }
        return 1;
    }
    if (p_event->getType() == TURN_EVENT && health >= 1) {
        takeTurn();
        return 1;
    }
    return 0;
}

void Enemy::takeHit(int hit) {
    lm::LogManager& log_manager = lm::LogManager::getInstance();
    if (defending) {
        const int loss = hit / 2;
        health -= loss;
        log_manager.writeLog("The Hero deals %d damage", loss);
        lm::EventView view_event(ENEMY_HEALTH, -loss, true);
        lm::WorldManager::getInstance().onEvent(&view_event);
        defending = false;
    } else {
        const int loss = hit;
        health -= loss;
        lm::EventView view_event(ENEMY_HEALTH, -loss, true);
        lm::WorldManager::getInstance().onEvent(&view_event);
        log_manager.writeLog("The Hero deals %d damage", loss);
    }
    if (health <= 0) {
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
    EventAttack attack_event(damage, this);
    lm::WorldManager::getInstance().onEvent(&attack_event);
}

void Enemy::defend() {
    defending = true;
}

int Enemy::getHealth() const {
    return health;
}

void Enemy::setHealth(int new_health) {
    health = new_health;
}

int Enemy::getMaxHealth() const {
    return max_health;
}

void Enemy::setMaxHealth(int new_max_health) {
    max_health = new_max_health;
}

int Enemy::getDamage() const {
    return damage;
}

void Enemy::setDamage(int new_damage) {
    damage = new_damage;
}

void Enemy::enterBattle(int init_max_health, int init_damage) {
    setAltitude(4);
    setPosition(lm::DisplayManager::getInstance().viewToWorld(lm::Vector(40, 20)));
    max_health = init_max_health;
    health = max_health;
    lm::EventView view_event(ENEMY_HEALTH, max_health, false);
    lm::WorldManager::getInstance().onEvent(&view_event);
    damage = init_damage;
}

void Enemy::clearMessage() {
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    for (lm::Object* p_object : world_manager.objectsOfType("EventLog")) {
        world_manager.markForDelete(p_object);
    }
}

void Enemy::showMessage(std::string message) {
    new EventLog(std::move(message));
}
