#pragma once

#include "engine/Object.h"
#include "engine/Vector.h"

/// The hero walking the overworld: W, A, S and D move him one cell per step, Q ends the game. On
/// every step he rolls for a random encounter, which lays a battle over the overworld; while a
/// battle is on he cannot walk.
class Hero : public lm::Object {
public:
    Hero();

    int eventHandler(const lm::Event* p_event) override;

    /// Whether a battle is on. Shared by every hero, and kept when a hero is destroyed: it turns
    /// false on the first step without a battle in the world.
    static bool isInBattle();

private:
    /// W, A, S and D walk one cell up, left, down and right.
    void walk(int key);
    void move(lm::Vector step);
    void rollForEncounter();
};
