#include "EnemyStats.h"

EnemyStats::EnemyStats() {
    setType("EnemyStats");
    setViewString(ENEMY_HEALTH);
    setLocation(lm::TOP_CENTER);
}
