#pragma once

#include "Enemy.h"

/// Quick and weak: 7 health, hits for 2, and now and then lands a critical hit for double.
class Goblin : public Enemy {
public:
    Goblin();

    void specialAction() override;
    void takeTurn() override;

private:
    static const TurnTable TURNS;
};
