#include "EventAttack.h"

EventAttack::EventAttack(int init_damage, lm::Object* p_init_attacker)
    : damage(init_damage), p_attacker(p_init_attacker) {
    setType(ATTACK_EVENT);
}

int EventAttack::getDamage() const {
    return damage;
}

lm::Object* EventAttack::getAttacker() const {
    return p_attacker;
}
