#pragma once

#include "Enemy.h"

/// Heavily armoured: 9 health, hits for 3, and can attack and then raise its shield.
class Knight : public Enemy {
public:
    Knight();

    void specialAction() override;
    void takeTurn() override;

private:
    static const TurnTable TURNS;
};
