#include "HeroCombat.h"

#include "EventAttack.h"
#include "EventTurn.h"
#include "PlayerStats.h"
#include "QuitKey.h"
#include "StartScreen.h"
#include "engine/DisplayManager.h"
#include "engine/EventKeyboard.h"
#include "engine/EventView.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/WorldManager.h"

HeroCombat::HeroCombat() : Combatant(10, 2), cooldown(0), cooldown_length(60) {
    setType("HeroCombat");
    setSprite("hero_combat");
    setPosition(lm::DisplayManager::getInstance().viewToWorld(lm::Vector(20, 20)));
    setAltitude(4);
}

HeroCombat::~HeroCombat() {
    if (getHealth() >= 1) {
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
            takeEnemyHit(p_attack->getDamage());
        }
        return 1;
    }
    if (p_event->getType() == lm::KEYBOARD_EVENT && cooldown <= 0) {
        const auto* p_keyboard = static_cast<const lm::EventKeyboard*>(p_event);
        if (p_keyboard->getKeyboardAction() == lm::KEY_PRESSED) {
            command(p_keyboard->getKey());
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

void HeroCombat::command(int key) {
    if (quitOnQ(key)) {
        return;  // no turn for the enemy, no wait
    }
    if (key == lm::Keyboard::A) {
        attack();
    } else if (key == lm::Keyboard::D) {
        defend();
    } else {
        return;
    }
    handOverTurn();
}

void HeroCombat::takeEnemyHit(int hit) {
    const int loss = takeHit(hit);
    lm::EventView view_event(PLAYER_HEALTH, -loss, true);
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.onEvent(&view_event);
    if (getHealth() <= 0) {
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
    strike();
}
