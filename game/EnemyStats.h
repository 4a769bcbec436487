#pragma once

#include "engine/ViewObject.h"

inline constexpr char ENEMY_HEALTH[] = "Enemy Health";

/// The enemy's health in battle, at the top centre. It shows 0 until the enemy arrives and sends
/// its starting health.
class EnemyStats : public lm::ViewObject {
public:
    EnemyStats();
};
