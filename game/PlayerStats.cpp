#include "PlayerStats.h"

PlayerStats::PlayerStats() {
    setType("PlayerStats");
    setViewString(PLAYER_HEALTH);
    setValue(10);
    setLocation(lm::TOP_LEFT);
}
