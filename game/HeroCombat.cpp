#include "HeroCombat.h"

#include "EventAttack.h"
#include "EventTurn.h"
#include "PlayerStats.h"
#include "StartScreen.h"
#include "engine/DisplayManager.h"
#include "engine/EventKeyboard.h"
#include "engine/EventView.h"
#include "engine/GameManager.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/WorldManager.h"

HeroCombat::HeroCombat()
    : health(10), max_health(10), cooldown(0), cooldown_length(60), damage(2), defending(false) {
    setType("HeroCombat");
    setSprite("hero_combat");
    setPosition(lm::DisplayManager::getInstance().viewToWorld(lm::Vector(20, 20)));
    setAltitude(4);
}

HeroCombat::~HeroCombat() {
    if (health >= 1) {
        return;
    }
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    for (lm::Object* p_object : world_manager.getAllObjects()) {
        if (p_object != this) {
            world_manager.markForDelete(p_object);
        }
    }
    new StartScreen;
}

int HeroCombat::eventHandler(const lm::Event* p_event) {
    if (p_event->getType() == ATTACK_EVENT) {
        const auto* p_attack = static_cast<const EventAttack*>(p_event);
        // The hero's own attack passes him by.
        if (p_attack->getAttacker()->getType() != "HeroCombat") {
            takeHit(p_attack->getDamage());
        }
        return 1;
    }
    if (p_event->getType() == lm::KEYBOARD_EVENT && cooldown <= 0) {
        const auto* p_keyboard = static_cast<const lm::EventKeyboard*>(p_event);
        if (p_keyboard->getKeyboardAction() != lm::KEY_PRESSED) {
            return 1;
        }
        switch (p_keyboard->getKey()) {
            case lm::Keyboard::A:
                attack();
                handOverTurn();
                break;
            case lm::Keyboard::D:
                defend();
                handOverTurn();
                break;
            case lm::Keyboard::Q:
                lm::GameManager::getInstance().setGameOver(true);
                break;
            default:
                break;
        }
        return 1;
    }
    if (p_event->getType() == lm::STEP_EVENT) {
        if (cooldown >= 1) {
            --cooldown;
        }
        return 1;
    }
    return 0;
}

void HeroCombat::takeHit(int hit) {
    int loss = hit;
    if (defending) {
        loss = hit / 2;
        defending = false;
    }
    health -= loss;
    lm::EventView view_event(PLAYER_HEALTH, -loss, true);
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.onEvent(&view_event);
    if (health <= 0) {
        world_manager.markForDelete(this);
    }
}

void HeroCombat::handOverTurn() {
    EventTurn turn_event;
    lm::WorldManager::getInstance().onEvent(&turn_event);
    cooldown = cooldown_length;
}

void HeroCombat::attack() {
    if (lm::Sound* p_sound = lm::ResourceManager::getInstance().getSound("attack-fx")) {
        p_sound->play(false);
    }
    EventAttack attack_event(damage, this);
    lm::WorldManager::getInstance().onEvent(&attack_event);
}

void HeroCombat::defend() {
    defending = true;
}

int HeroCombat::getHealth() const {
    return health;
}

void HeroCombat::setHealth(int new_health) {
    health = new_health;
}

int HeroCombat::getMaxHealth() const {
    return max_health;
}

void HeroCombat::setMaxHealth(int new_max_health) {
    max_health = new_max_health;
}

int HeroCombat::getDamage() const {
    return damage;
}

void HeroCombat::setDamage(int new_damage) {
    damage = new_damage;
}
