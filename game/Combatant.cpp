#include "Combatant.h"

#include "EventAttack.h"
#include "engine/WorldManager.h"

Combatant::Combatant(int init_max_health, int init_damage)
    : health(init_max_health), max_health(init_max_health), damage(init_damage), defending(false) {}

int Combatant::getHealth() const {
    return health;
}

void Combatant::setHealth(int new_health) {
    health = new_health;
}

int Combatant::getMaxHealth() const {
    return max_health;
}

void Combatant::setMaxHealth(int new_max_health) {
    max_health = new_max_health;
}

int Combatant::getDamage() const {
    return damage;
}

void Combatant::setDamage(int new_damage) {
    damage = new_damage;
}

void Combatant::defend() {
    defending = true;
}

int Combatant::takeHit(int hit) {
    const int loss = defending ? hit / 2 : hit;
    defending = false;
    health -= loss;
    return loss;
}

void Combatant::strike() {
    EventAttack attack_event(damage, this);
    lm::WorldManager::getInstance().onEvent(&attack_event);
}
