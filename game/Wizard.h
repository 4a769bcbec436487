#pragma once

#include "Enemy.h"

/// 8 health and hits for 2, but every charge of its staff makes its hits 2 stronger.
class Wizard : public Enemy {
public:
    Wizard();

    void specialAction() override;
    void takeTurn() override;

private:
    static const TurnTable TURNS;
};
