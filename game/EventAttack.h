#pragma once

#include "engine/Event.h"

namespace lm {
class Object;
}

inline constexpr char ATTACK_EVENT[] = "attack";

/// One side of a battle hits the other. Every object receives it; each side ignores its own.
class EventAttack : public lm::Event {
public:
    EventAttack(int init_damage, lm::Object* p_init_attacker);

    int getDamage() const;
    lm::Object* getAttacker() const;

private:
    int damage;              // the hit's strength, before any halving
    lm::Object* p_attacker;  // not owned
};
