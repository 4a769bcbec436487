#pragma once

#include "Enemy.h"

/// Slow and tough: 8 health, hits for 1, and regenerates 2 health up to its full 8.
class Zombie : public Enemy {
public:
    Zombie();

    void specialAction() override;
    void takeTurn() override;

private:
    static const TurnTable TURNS;
};
